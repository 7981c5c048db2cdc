#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

struct LinkFrame;

// The line to the base station: opened by COM port number, four-byte writes, and whatever bytes arrive,
// stamped with a monotonic time in milliseconds so the framer can see silence. At most one port is open:
// opening another closes the one before.
class LinkPort : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // Why the last open() failed, so the search can tell a port another program holds from one where
    // nothing answers.
    enum class OpenFailure
    {
        None,
        NoDevice, // no device behind the number, or it cannot be opened for another reason
        InUse,    // the device is there and ours to use, but another program holds it
    };

    virtual bool open(int portNumber) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    virtual void send(const LinkFrame &frame) = 0;

    OpenFailure openFailure() const { return m_openFailure; }
    // The device the last failed open() tried, for the operator's message.
    const QString &failedDevice() const { return m_failedDevice; }

signals:
    void bytesReceived(const QByteArray &bytes, qint64 receivedMs);
    // The open device went away (adapter pulled, simulator ended); the port is closed by then.
    void lost();

protected:
    void setOpenFailure(OpenFailure failure, const QString &device = {})
    {
        m_openFailure = failure;
        m_failedDevice = device;
    }

private:
    OpenFailure m_openFailure = OpenFailure::None;
    QString m_failedDevice;
};
