#include "core/link/seriallinkport.h"

#include "core/link/linkframe.h"

#include <QFileInfo>
#include <QSerialPort>

SerialLinkPort::SerialLinkPort(PortResolver resolver, QObject *parent)
    : LinkPort(parent), m_resolver(std::move(resolver)), m_port(new QSerialPort(this))
{
    m_clock.start();
    connect(m_port, &QSerialPort::readyRead, this, &SerialLinkPort::onReadyRead);
    connect(m_port, &QSerialPort::errorOccurred, this, &SerialLinkPort::onError);
}

SerialLinkPort::~SerialLinkPort() = default;

bool SerialLinkPort::open(int portNumber)
{
    // Ports the search tried and that did not answer are closed as it moves on.
    close();
    const QString device = m_resolver.devicePath(portNumber);
    setOpenFailure(OpenFailure::NoDevice, device);
    if (device.isEmpty())
        return false;
    m_port->setPortName(device);
    if (!m_port->open(QIODevice::ReadWrite)) {
        // The port reports a device held by another program (its lock file, or the exclusive open of a
        // terminal) as a permission error, like a device we may not open at all. The device's own
        // permissions tell them apart.
        const QFileInfo node(device);
        if (m_port->error() == QSerialPort::PermissionError && node.isReadable() && node.isWritable())
            setOpenFailure(OpenFailure::InUse, device);
        m_port->clearError();
        return false;
    }
    const bool configured = m_port->setBaudRate(QSerialPort::Baud9600) &&
                            m_port->setDataBits(QSerialPort::Data8) &&
                            m_port->setParity(QSerialPort::NoParity) &&
                            m_port->setStopBits(QSerialPort::OneStop) &&
                            m_port->setFlowControl(QSerialPort::NoFlowControl);
    if (!configured) {
        close();
        return false;
    }
    m_port->clear();
    setOpenFailure(OpenFailure::None);
    return true;
}

void SerialLinkPort::close()
{
    if (m_port->isOpen())
        m_port->close();
    m_port->clearError();
}

bool SerialLinkPort::isOpen() const
{
    return m_port->isOpen();
}

QString SerialLinkPort::devicePath() const
{
    return m_port->isOpen() ? m_port->portName() : QString();
}

void SerialLinkPort::send(const LinkFrame &frame)
{
    if (!m_port->isOpen())
        return;
    m_port->write(reinterpret_cast<const char *>(frame.bytes.data()), qint64(frame.bytes.size()));
}

void SerialLinkPort::onReadyRead()
{
    const QByteArray bytes = m_port->readAll();
    if (!bytes.isEmpty())
        emit bytesReceived(bytes, m_clock.elapsed());
}

void SerialLinkPort::onError()
{
    switch (m_port->error()) {
    case QSerialPort::NoError:
    case QSerialPort::TimeoutError:
    case QSerialPort::DeviceNotFoundError: // failures of open(): reported through its result
    case QSerialPort::PermissionError:
    case QSerialPort::OpenError:
    case QSerialPort::UnsupportedOperationError:
        return;
    default:
        break;
    }
    if (!m_port->isOpen())
        return;
    // Closing from inside the port's own signal is safe once we are back in the event loop.
    QMetaObject::invokeMethod(this, [this] {
        if (!m_port->isOpen())
            return;
        close();
        emit lost();
    }, Qt::QueuedConnection);
}
