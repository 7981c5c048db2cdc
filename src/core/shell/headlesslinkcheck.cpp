#include "core/shell/headlesslinkcheck.h"

#include "core/link/link.h"

#include <QTextStream>
#include <QTimer>

HeadlessLinkCheck::HeadlessLinkCheck(Link &link, QTextStream &out, QObject *parent)
    : QObject(parent), m_link(link), m_out(out), m_poll(new QTimer(this))
{
    m_poll->setInterval(100);
    connect(m_poll, &QTimer::timeout, this, &HeadlessLinkCheck::poll);
}

void HeadlessLinkCheck::start()
{
    const LinkSettings &s = m_link.settings();
    m_out << "Searching COM" << s.lowestPort << " .. COM" << s.highestPort << " for the base station, "
          << s.keypadCount << " keypads" << Qt::endl;
    m_clock.start();
    m_link.start();
    m_poll->start();
}

void HeadlessLinkCheck::poll()
{
    CommandSequencer &sequencer = m_link.sequencer();
    if (sequencer.take(LinkEvent::NoBaseStation)) {
        m_poll->stop();
        m_out << "No base station answered on COM" << m_link.settings().lowestPort << " .. COM"
              << m_link.settings().highestPort << " (" << m_clock.elapsed() << " ms)" << Qt::endl;
        for (const QString &port : m_link.portsInUse())
            m_out << port << " is in use by another program and was not searched" << Qt::endl;
        emit finished(1);
        return;
    }
    if (sequencer.take(LinkEvent::LinkReady)) {
        m_poll->stop();
        // Let the closing command of the roll call go out before the caller stops the link.
        QTimer::singleShot(CommandSequencer::OneShotMs + 2 * CommandSequencer::TickMs, this,
                           &HeadlessLinkCheck::report);
    }
}

void HeadlessLinkCheck::report()
{
    const KeypadTable &table = m_link.table();
    QStringList answered;
    QStringList excluded;
    for (int n = 1; n <= m_link.settings().keypadCount; ++n) {
        if (table.at(n).answered)
            answered << QString::number(n);
        if (table.at(n).answered && table.at(n).excluded)
            excluded << QString::number(n);
    }
    m_out << "Base station found on COM" << m_link.sequencer().currentPort() << Qt::endl;
    m_out << "Keypads answered: " << answered.size() << " of " << m_link.settings().keypadCount << Qt::endl;
    if (!answered.isEmpty())
        m_out << "  " << answered.join(QLatin1Char(' ')) << Qt::endl;
    if (!excluded.isEmpty())
        m_out << "Keypads excluded: " << excluded.join(QLatin1Char(' ')) << Qt::endl;
    m_out << "Time taken: " << m_clock.elapsed() << " ms" << Qt::endl;
    emit finished(0);
}
