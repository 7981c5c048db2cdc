#include "core/link/portresolver.h"

#include <QFileInfo>

PortResolver::PortResolver(QString dataRoot, bool platformDevices)
    : m_dataRoot(std::move(dataRoot)), m_platformDevices(platformDevices)
{
}

QString PortResolver::devicePath(int portNumber) const
{
    if (portNumber < 1)
        return {};
    const QString link = m_dataRoot + QStringLiteral("/System/dev/COM%1").arg(portNumber);
    if (QFileInfo::exists(link))
        return link;
    if (!m_platformDevices)
        return {};
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(portNumber);
#else
    for (const QString &pattern : {QStringLiteral("/dev/ttyUSB%1"), QStringLiteral("/dev/ttyS%1")}) {
        const QString device = pattern.arg(portNumber - 1);
        if (QFileInfo::exists(device))
            return device;
    }
    return {};
#endif
}
