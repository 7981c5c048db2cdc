#include "pseudoterminal.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

PseudoTerminal::PseudoTerminal(QString linkPath, QObject *parent)
    : QObject(parent), m_linkPath(std::move(linkPath))
{
}

PseudoTerminal::~PseudoTerminal()
{
    close();
}

bool PseudoTerminal::fail(const QString &what)
{
    m_error = what + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errno));
    close();
    return false;
}

bool PseudoTerminal::open()
{
    close();
    m_master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (m_master < 0)
        return fail(QStringLiteral("posix_openpt"));
    if (grantpt(m_master) != 0 || unlockpt(m_master) != 0)
        return fail(QStringLiteral("grantpt/unlockpt"));
    const char *name = ptsname(m_master);
    if (!name)
        return fail(QStringLiteral("ptsname"));
    m_slavePath = QString::fromLocal8Bit(name);

    m_slaveKeepAlive = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (m_slaveKeepAlive < 0)
        return fail(QStringLiteral("open slave"));
    // Raw from the start: no echo of our own answers, no line buffering, no character translation.
    termios tio{};
    if (tcgetattr(m_slaveKeepAlive, &tio) != 0)
        return fail(QStringLiteral("tcgetattr"));
    cfmakeraw(&tio);
    cfsetispeed(&tio, B9600);
    cfsetospeed(&tio, B9600);
    if (tcsetattr(m_slaveKeepAlive, TCSANOW, &tio) != 0)
        return fail(QStringLiteral("tcsetattr"));

    QDir().mkpath(QFileInfo(m_linkPath).absolutePath());
    QFile::remove(m_linkPath);
    if (::symlink(name, QFile::encodeName(m_linkPath).constData()) != 0)
        return fail(QStringLiteral("symlink ") + m_linkPath);

    m_notifier = new QSocketNotifier(m_master, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &PseudoTerminal::onReadable);
    return true;
}

void PseudoTerminal::close()
{
    delete m_notifier;
    m_notifier = nullptr;
    if (m_master >= 0) {
        // Only remove the link if it is still ours.
        if (QFileInfo(m_linkPath).symLinkTarget() == m_slavePath)
            QFile::remove(m_linkPath);
        ::close(m_master);
        m_master = -1;
    }
    if (m_slaveKeepAlive >= 0) {
        ::close(m_slaveKeepAlive);
        m_slaveKeepAlive = -1;
    }
}

void PseudoTerminal::write(const QByteArray &bytes)
{
    if (m_master < 0)
        return;
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(m_master, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return; // the console is not reading: a real line would lose the bytes too
        done += n;
    }
}

void PseudoTerminal::onReadable()
{
    char buffer[1024];
    for (;;) {
        const ssize_t n = ::read(m_master, buffer, sizeof buffer);
        if (n > 0) {
            emit received(QByteArray(buffer, qsizetype(n)));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        return; // EAGAIN: drained
    }
}
