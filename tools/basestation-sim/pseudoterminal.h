#pragma once

#include <QObject>
#include <QString>

class QSocketNotifier;

// The simulator's end of a serial line: a pseudo terminal whose slave side is published under a path
// (a symbolic link), so the console opens it like any serial device. The simulator keeps a descriptor of
// the slave open itself, so the line does not hang up between the console's opens and closes.
class PseudoTerminal final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PseudoTerminal)

public:
    explicit PseudoTerminal(QString linkPath, QObject *parent = nullptr);
    ~PseudoTerminal() override;

    // Creates the terminal and publishes the link; false with a reason in errorString() on failure.
    bool open();
    // Removes the link and closes the terminal: to the console this looks like a pulled adapter.
    void close();
    bool isOpen() const { return m_master >= 0; }

    void write(const QByteArray &bytes);

    const QString &linkPath() const { return m_linkPath; }
    const QString &slavePath() const { return m_slavePath; }
    const QString &errorString() const { return m_error; }

signals:
    void received(const QByteArray &bytes);

private:
    void onReadable();
    bool fail(const QString &what);

    QString m_linkPath;
    QString m_slavePath;
    QString m_error;
    int m_master = -1;
    int m_slaveKeepAlive = -1;
    QSocketNotifier *m_notifier = nullptr;
};
