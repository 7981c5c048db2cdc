#include "pacedwriter.h"

#include "pseudoterminal.h"

#include <QTimer>

#include <algorithm>

PacedWriter::PacedWriter(PseudoTerminal &terminal, bool pace, bool split, quint32 seed, QObject *parent)
    : QObject(parent), m_terminal(terminal), m_pace(pace), m_split(split), m_random(seed), m_timer(new QTimer(this))
{
    m_clock.start();
    m_timer->setSingleShot(true);
    m_timer->setTimerType(Qt::PreciseTimer);
    connect(m_timer, &QTimer::timeout, this, &PacedWriter::pump);
}

void PacedWriter::write(const QByteArray &bytes, qint64 delayNs)
{
    if (bytes.isEmpty())
        return;
    const qint64 now = m_clock.nsecsElapsed();
    if (m_queue.isEmpty())
        m_headDueNs = now + delayNs + (m_pace ? ByteNs : 0);
    m_queue += bytes;
    schedule(m_headDueNs);
}

void PacedWriter::discard()
{
    m_queue.clear();
    m_timer->stop();
}

void PacedWriter::schedule(qint64 atNs)
{
    const qint64 waitMs = std::max<qint64>(0, (atNs - m_clock.nsecsElapsed() + 999'999) / 1'000'000);
    if (!m_timer->isActive() || m_timer->remainingTime() > waitMs)
        m_timer->start(int(waitMs));
}

void PacedWriter::pump()
{
    const qint64 now = m_clock.nsecsElapsed();
    qsizetype due = 0;
    if (m_pace) {
        while (due < m_queue.size() && m_headDueNs <= now) {
            ++due;
            m_headDueNs += ByteNs;
        }
    } else if (m_headDueNs <= now) {
        due = m_queue.size();
    }
    if (due > 0 && m_split) {
        // Hand back what the random cut leaves over; without pace it goes out at once with the next pump.
        const qsizetype cut = m_random.bounded(1, int(due) + 1);
        if (m_pace)
            m_headDueNs -= (due - cut) * ByteNs;
        due = cut;
    }
    if (due > 0) {
        m_terminal.write(m_queue.left(due));
        m_queue.remove(0, due);
    }
    if (m_queue.isEmpty())
        return;
    const qint64 jitterNs = m_split ? qint64(m_random.bounded(2)) * 1'000'000 : 0;
    schedule(m_headDueNs > now ? m_headDueNs : now + jitterNs);
}
