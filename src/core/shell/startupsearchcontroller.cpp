#include "core/shell/startupsearchcontroller.h"

#include "core/link/link.h"

#include <QTimer>

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
    setProgress(m_progress + 10 >= 100 ? 0 : m_progress + 10);
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
