#include "core/link/link.h"

#include "core/link/linkport.h"
#include "core/base/operatornotifier.h"
#include "core/base/timers.h"

#include <QTimer>

Link::Link(std::unique_ptr<LinkPort> port, OperatorNotifier &notifier, QObject *parent)
    : QObject(parent), m_port(std::move(port)), m_notifier(notifier), m_parser(m_table, m_sequencer),
      m_tick(Timers::make(this, CommandSequencer::TickMs, false, Qt::PreciseTimer))
{
    connect(m_tick, &QTimer::timeout, &m_sequencer, &CommandSequencer::onTickTimer);
    for (int i = 0; i < 5; ++i) {
        // Between two sweeps for a lost base station the port range gets a second's rest.
        const int ms = OneShotTimer(i) == OneShotTimer::SearchAgain ? 1000 : CommandSequencer::OneShotMs;
        m_oneShots[i] = Timers::make(this, ms, true, Qt::PreciseTimer);
        connect(m_oneShots[i], &QTimer::timeout, this, [this, i] { m_sequencer.onOneShot(OneShotTimer(i)); });
    }
    connect(&m_sequencer, &CommandSequencer::openPortRequested, this, &Link::onOpenPortRequested);
    connect(&m_sequencer, &CommandSequencer::sendRequested, this, &Link::onSendRequested);
    connect(&m_sequencer, &CommandSequencer::oneShotRequested, this, &Link::onOneShotRequested);
    connect(m_port.get(), &LinkPort::bytesReceived, this, &Link::receive);
    connect(m_port.get(), &LinkPort::lost, this, &Link::onPortLost);
    connect(&m_sequencer, &CommandSequencer::linkLost, this, &Link::connectionChanged);
    connect(&m_sequencer, &CommandSequencer::linkRestored, this, &Link::connectionChanged);
}

Link::~Link()
{
    m_port->close();
}

void Link::start()
{
    m_sequencer.post(LinkMode::BaseStationSearch);
    m_tick->start();
}

void Link::stop()
{
    m_tick->stop();
    for (QTimer *timer : m_oneShots)
        timer->stop();
}

void Link::setTickPeriod(int ms)
{
    m_tick->setInterval(ms);
}

int Link::tickPeriod() const
{
    return m_tick->interval();
}

void Link::receive(const QByteArray &bytes, qint64 receivedMs)
{
    const QList<LinkFrame> frames = m_assembler.feed(bytes, receivedMs);
    m_framesReceived += quint64(frames.size());
    for (const LinkFrame &frame : frames) {
        m_sequencer.noteAnswer();
        m_parser.apply(frame);
    }
}

void Link::onOpenPortRequested(int portNumber)
{
    // A port that cannot be opened simply never answers the probe; one that another program holds is
    // remembered for the message. The sweep goes upwards, so a lower number starts a new sweep.
    if (portNumber <= m_lastPortOpened)
        m_portsInUse.clear();
    m_lastPortOpened = portNumber;
    m_assembler.reset();
    if (!m_port->open(portNumber) && m_port->openFailure() == LinkPort::OpenFailure::InUse)
        m_portsInUse.append(QStringLiteral("COM%1 (%2)").arg(portNumber).arg(m_port->failedDevice()));
}

void Link::onSendRequested(quint32 command)
{
    m_port->send(LinkFrame::fromCommand(command));
}

void Link::onOneShotRequested(OneShotTimer timer)
{
    oneShot(timer)->start();
}

QTimer *Link::oneShot(OneShotTimer timer) const
{
    return m_oneShots[int(timer)];
}

// No message box: a box over a running ballot would hide the hall's figures and wait for a click while
// the search could already find the base station again. The running window shows statusText() instead.
void Link::onPortLost()
{
    m_assembler.reset();
    m_sequencer.markLost();
}

OperatorText Link::statusText() const
{
    if (!m_sequencer.isLost())
        return {};
    const LinkSettings &s = m_sequencer.settings();
    return OperatorText::catalogue(QStringLiteral("Public"), QStringLiteral("MsgLinkLost"),
                                   {QString::number(s.lowestPort), QString::number(s.highestPort)});
}
