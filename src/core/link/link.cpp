#include "core/link/link.h"

#include "core/link/linkport.h"
#include "core/shell/operatornotifier.h"
#include "core/shell/timers.h"

#include <QTimer>

Link::Link(std::unique_ptr<LinkPort> port, OperatorNotifier &notifier, QObject *parent)
    : QObject(parent), m_port(std::move(port)), m_notifier(notifier), m_parser(m_table, m_sequencer),
      m_tick(Timers::make(this, CommandSequencer::TickMs, false, Qt::PreciseTimer))
{
    connect(m_tick, &QTimer::timeout, &m_sequencer, &CommandSequencer::onTickTimer);
    for (int i = 0; i < 4; ++i) {
        m_oneShots[i] = Timers::make(this, CommandSequencer::OneShotMs, true, Qt::PreciseTimer);
        connect(m_oneShots[i], &QTimer::timeout, this, [this, i] { m_sequencer.onOneShot(OneShotTimer(i)); });
    }
    connect(&m_sequencer, &CommandSequencer::openPortRequested, this, &Link::onOpenPortRequested);
    connect(&m_sequencer, &CommandSequencer::sendRequested, this, &Link::onSendRequested);
    connect(&m_sequencer, &CommandSequencer::oneShotRequested, this, &Link::onOneShotRequested);
    connect(m_port.get(), &LinkPort::bytesReceived, this, &Link::receive);
    connect(m_port.get(), &LinkPort::lost, this, &Link::onPortLost);
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
    for (const LinkFrame &frame : frames)
        m_parser.apply(frame);
}

void Link::onOpenPortRequested(int portNumber)
{
    // A port that cannot be opened simply never answers the probe.
    m_assembler.reset();
    m_port->open(portNumber);
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

void Link::onPortLost()
{
    m_assembler.reset();
    m_notifier.error(OperatorText::catalogue(QStringLiteral("FrmLogo"), QStringLiteral("MsgClew")),
                     OperatorText::catalogue(QStringLiteral("Public"), QStringLiteral("MsgLinkLost")));
}
