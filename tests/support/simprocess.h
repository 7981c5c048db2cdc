#pragma once

#include <QProcess>
#include <QStringList>

// The simulated base station as a separate process, as the console meets it in a hall: started with its
// options, ready once it has published its line, driven by commands on its standard input.
class SimProcess
{
public:
    SimProcess();
    ~SimProcess();
    SimProcess(const SimProcess &) = delete;
    SimProcess &operator=(const SimProcess &) = delete;

    // Starts the simulator (path from QUORIX_SIM) and waits until it has published its line.
    bool start(const QStringList &arguments, int timeoutMs = 10000);
    // Sends one command line and returns the simulator's one-line reply.
    QString command(const QString &line, int timeoutMs = 5000);
    void stop();

    QString errorText() const { return m_error; }

private:
    QString readLine(int timeoutMs);

    QProcess m_process;
    QString m_error;
};
