#include "gui/shell/singleinstance.h"

#include <QApplication>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QWidget>

namespace {
constexpr int ConnectMs = 1000;
} // namespace

SingleInstance::SingleInstance(const QString &key, QObject *parent)
    : QObject(parent), m_name(QStringLiteral("quorix-") + key),
      m_lock(QDir::temp().filePath(QStringLiteral("quorix-") + key + QStringLiteral(".lock")))
{
    // A lock whose process is gone is stale at once; a live console's lock never is.
    m_lock.setStaleLockTime(0);
}

SingleInstance::~SingleInstance()
{
    if (m_server)
        m_server->close();
    m_lock.unlock();
}

SingleInstance::Result SingleInstance::acquire()
{
    if (m_lock.tryLock(100)) {
        listen(); // without it the console runs all the same; a second start just cannot raise it
        return Result::First;
    }
    if (m_lock.error() != QLockFile::LockFailedError)
        return Result::Failed;

    QLocalSocket socket;
    socket.connectToServer(m_name);
    if (!socket.waitForConnected(ConnectMs))
        return Result::RunningButUnreachable;
    socket.write("raise\n");
    socket.waitForBytesWritten(ConnectMs);
    socket.disconnectFromServer();
    return Result::Activated;
}

bool SingleInstance::listen()
{
    // We hold the lock, so a socket of that name can only be left over from a crash.
    QLocalServer::removeServer(m_name);
    m_server = new QLocalServer(this);
    if (!m_server->listen(m_name))
        return false;
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *peer = m_server->nextPendingConnection()) {
            connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
            connect(peer, &QLocalSocket::readyRead, this, [this, peer] {
                if (peer->readAll().startsWith("raise"))
                    emit activationRequested();
            });
        }
    });
    return true;
}

QWidget *SingleInstance::windowToRaise(std::initializer_list<QWidget *> others)
{
    if (QWidget *modal = QApplication::activeModalWidget())
        return modal;
    for (QWidget *window : others) {
        if (window && window->isVisible())
            return window;
    }
    return nullptr;
}

void SingleInstance::bringToFront(QWidget *window)
{
    if (!window)
        return;
    if (window->isMinimized())
        window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->raise();
    window->activateWindow();
}
