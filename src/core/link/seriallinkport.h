#pragma once

#include "core/link/linkport.h"
#include "core/link/portresolver.h"

#include <QElapsedTimer>

class QSerialPort;

// The base-station line on a real serial device: 9600 baud, 8 data bits, no parity, one stop bit.
class SerialLinkPort final : public LinkPort
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SerialLinkPort)

public:
    explicit SerialLinkPort(PortResolver resolver, QObject *parent = nullptr);
    ~SerialLinkPort() override;

    bool open(int portNumber) override;
    void close() override;
    bool isOpen() const override;
    void send(const LinkFrame &frame) override;

    QString devicePath() const;

private:
    void onReadyRead();
    void onError();

    PortResolver m_resolver;
    QSerialPort *m_port;
    QElapsedTimer m_clock;
};
