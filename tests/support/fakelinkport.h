#pragma once

#include "core/link/linkframe.h"
#include "core/link/linkport.h"

#include <QList>

// A line without a device: records which ports were opened and which frames were sent, and lets a test
// deliver bytes or pull the plug.
class FakeLinkPort final : public LinkPort
{
    Q_OBJECT

public:
    using LinkPort::LinkPort;

    bool open(int portNumber) override
    {
        opened.append(portNumber);
        m_open = portNumber != failingPort;
        return m_open;
    }
    void close() override { m_open = false; }
    bool isOpen() const override { return m_open; }
    void send(const LinkFrame &frame) override { sent.append(frame); }

    void deliver(const QByteArray &bytes, qint64 ms) { emit bytesReceived(bytes, ms); }
    void unplug()
    {
        m_open = false;
        emit lost();
    }

    QList<int> opened;
    QList<LinkFrame> sent;
    int failingPort = -1;

private:
    bool m_open = false;
};
