#pragma once

#include <QByteArray>
#include <QObject>

struct LinkFrame;

// The line to the base station: opened by COM port number, four-byte writes, and whatever bytes arrive,
// stamped with a monotonic time in milliseconds so the framer can see silence. At most one port is open:
// opening another closes the one before.
class LinkPort : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    virtual bool open(int portNumber) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    virtual void send(const LinkFrame &frame) = 0;

signals:
    void bytesReceived(const QByteArray &bytes, qint64 receivedMs);
    // The open device went away (adapter pulled, simulator ended); the port is closed by then.
    void lost();
};
