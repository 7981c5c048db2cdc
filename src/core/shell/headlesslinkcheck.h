#pragma once

#include <QElapsedTimer>
#include <QObject>

class Link;
class QTextStream;
class QTimer;

// Runs the start-up search and roll call without a window and reports what it found: the port, the
// keypads that answered and the time taken. Used by the command line until the console's windows take
// over, and by operators to check a base station.
class HeadlessLinkCheck final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(HeadlessLinkCheck)

public:
    HeadlessLinkCheck(Link &link, QTextStream &out, QObject *parent = nullptr);

    void start();

signals:
    // 0 when the base station was found and the roll call ran, 1 when no base station answered.
    void finished(int exitCode);

private:
    void poll();
    void report();

    Link &m_link;
    QTextStream &m_out;
    QTimer *m_poll;
    QElapsedTimer m_clock;
};
