#include "core/shell/startupsearchcontroller.h"

#include "core/link/link.h"

#include <QTimer>

#include <algorithm>

StartupSearchController::StartupSearchController(Link &link, QObject *parent)
    : QObject(parent), m_link(link), m_timer(new QTimer(this))
{
    m_timer->setInterval(100);
    connect(m_timer, &QTimer::timeout, this, &StartupSearchController::onTimer);
}

void StartupSearchController::open()
{
    setProgress(0);
    setSearchAgainEnabled(false);
    followTheLink();
    m_timer->start();
}

void StartupSearchController::onTimer()
{
    CommandSequencer &sequencer = m_link.sequencer();
    if (sequencer.take(LinkEvent::LinkReady)) {
        // The sequencer hides this window and shows the main window itself.
        setProgress(0);
        m_timer->stop();
        return;
    }
    if (sequencer.take(LinkEvent::NoBaseStation)) {
        m_timer->stop();
        setProgress(0);
        emit linkErrorRaised();
        return;
    }
    followTheLink();
}

void StartupSearchController::followTheLink()
{
    const CommandSequencer &sequencer = m_link.sequencer();
    const LinkSettings &settings = m_link.settings();
    OperatorText status;
    int reached = 0;
    if (sequencer.mode() == LinkMode::StartupRollCall || sequencer.isRollCallRunning()) {
        const int total = std::max(1, settings.keypadCount);
        const int called = std::clamp(sequencer.rollCallCounter(), 0, total);
        int answered = 0;
        for (int n = 1; n <= called; ++n)
            answered += m_link.table().at(n).answered != 0 ? 1 : 0;
        status = OperatorText::catalogue(
            QStringLiteral("FrmLogo"), QStringLiteral("MsgRollCall"),
            {QString::number(answered), QString::number(called), QString::number(total)});
        reached = 50 + 49 * called / total;
    } else {
        const int lowest = std::max(1, settings.lowestPort);
        const int ports = std::max(1, settings.highestPort - lowest + 1);
        // Before its first step the search stands one port below the range.
        const int port = std::clamp(sequencer.currentPort(), lowest, lowest + ports - 1);
        status = OperatorText::catalogue(
            QStringLiteral("FrmLogo"), QStringLiteral("MsgSearchPort"),
            {QString::number(port), QString::number(lowest), QString::number(lowest + ports - 1)});
        reached = 50 * (port - lowest + 1) / ports;
    }
    // A second sweep of the ports, or the sweep's rest, does not take the bar back.
    setProgress(std::max(m_progress, reached));
    if (status != m_status) {
        m_status = status;
        emit statusChanged();
    }
}

void StartupSearchController::onErrorChoice(ErrorChoice choice)
{
    switch (choice) {
    case ErrorChoice::GoOnWithout:
        m_link.sequencer().raise(LinkEvent::LinkReady);
        emit hideRequested();
        m_link.sequencer().requestShowMainWindow();
        break;
    case ErrorChoice::SearchAgainLater:
    case ErrorChoice::Dismissed:
        // The search window cannot be closed, so a dismissed error window that left the search-again
        // button off would hold the console at start-up for good.
        setSearchAgainEnabled(true);
        break;
    }
}

void StartupSearchController::searchAgain()
{
    setSearchAgainEnabled(false);
    m_link.post(LinkMode::BaseStationSearch);
    m_timer->start();
}

void StartupSearchController::setProgress(int progress)
{
    if (m_progress == progress)
        return;
    m_progress = progress;
    emit progressChanged(progress);
}

void StartupSearchController::setSearchAgainEnabled(bool enabled)
{
    if (m_searchAgainEnabled == enabled)
        return;
    m_searchAgainEnabled = enabled;
    emit searchAgainEnabledChanged(enabled);
}

QStringList StartupSearchController::portsInUse() const
{
    return m_link.portsInUse();
}
