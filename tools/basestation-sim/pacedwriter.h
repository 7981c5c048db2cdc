#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QRandomGenerator>

class PseudoTerminal;
class QTimer;

// Writes the base station's answers to the line. It can hold them to the line's pace (9600 baud: about
// 1.04 ms a byte) and cut them at random byte boundaries, as a real serial line and a USB adapter do, so
// the console's reassembly of frames is exercised.
class PacedWriter final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PacedWriter)

public:
    static constexpr qint64 ByteNs = 1'041'667; // ten bits at 9600 baud

    PacedWriter(PseudoTerminal &terminal, bool pace, bool split, quint32 seed, QObject *parent = nullptr);

    // `delayNs` holds the bytes back, e.g. for the time the question took to arrive.
    void write(const QByteArray &bytes, qint64 delayNs = 0);
    void discard();

private:
    void pump();
    void schedule(qint64 atNs);

    PseudoTerminal &m_terminal;
    bool m_pace;
    bool m_split;
    QRandomGenerator m_random;
    QElapsedTimer m_clock;
    QTimer *m_timer;
    QByteArray m_queue;
    qint64 m_headDueNs = 0; // when the first queued byte has left the line
};
