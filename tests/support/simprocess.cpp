#include "simprocess.h"

#include <QDeadlineTimer>

SimProcess::SimProcess()
{
    m_process.setProcessChannelMode(QProcess::SeparateChannels);
}

SimProcess::~SimProcess()
{
    stop();
}

bool SimProcess::start(const QStringList &arguments, int timeoutMs)
{
    const QString program = qEnvironmentVariable("QUORIX_SIM");
    if (program.isEmpty()) {
        m_error = QStringLiteral("QUORIX_SIM is not set");
        return false;
    }
    m_process.start(program, arguments);
    if (!m_process.waitForStarted(timeoutMs)) {
        m_error = m_process.errorString();
        return false;
    }
    const QString line = readLine(timeoutMs);
    if (!line.startsWith(QLatin1String("ready "))) {
        m_error = line + QString::fromUtf8(m_process.readAllStandardError());
        return false;
    }
    return true;
}

QString SimProcess::command(const QString &line, int timeoutMs)
{
    m_process.write(line.toUtf8() + '\n');
    return readLine(timeoutMs);
}

QString SimProcess::readLine(int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!m_process.canReadLine()) {
        if (deadline.hasExpired() || m_process.state() != QProcess::Running)
            return {};
        m_process.waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime())));
    }
    return QString::fromUtf8(m_process.readLine()).trimmed();
}

void SimProcess::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(3000)) {
        m_process.kill();
        m_process.waitForFinished(3000);
    }
}
