#pragma once

#include <QString>

// Turns a COM port number into a device path: the installation's own link System/dev/COMn first (placed by
// the simulator or an administrator), then the platform's serial devices.
class PortResolver
{
public:
    explicit PortResolver(QString dataRoot, bool platformDevices = true);

    // Empty when no device exists for the number.
    QString devicePath(int portNumber) const;

private:
    QString m_dataRoot;
    bool m_platformDevices;
};
