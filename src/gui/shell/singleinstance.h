#pragma once

#include <QLockFile>
#include <QObject>

#include <initializer_list>

class QLocalServer;
class QWidget;

// One console per machine: a lock file says a console runs, a local socket lets a second start bring the
// running console to the front. A console that crashed leaves a stale lock, which the next start takes
// over, since the process that held it is gone.
class SingleInstance final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SingleInstance)

public:
    enum class Result
    {
        First,                 // this process is the console
        Activated,             // a console runs and was asked to come to the front: end quietly
        RunningButUnreachable, // a console holds the lock but does not answer: warn and start anyway
        Failed,                // the lock could not be made at all
    };

    explicit SingleInstance(const QString &key, QObject *parent = nullptr);
    ~SingleInstance() override;

    Result acquire();

    // The window a second start brings forward: the modal window the operator is working in (a hub
    // window, or a message over it), else the first visible of `others` in order; none while every
    // window is hidden for a moment between two hub windows.
    static QWidget *windowToRaise(std::initializer_list<QWidget *> others);
    static void bringToFront(QWidget *window);

signals:
    // Another start asked this console to come to the front.
    void activationRequested();

private:
    bool listen();

    QString m_name;
    QLockFile m_lock;
    QLocalServer *m_server = nullptr;
};
