#pragma once

#include <QString>
#include <link/PortList.h>

namespace varno::link {

// What the file system says about a device that could not be opened.
struct TDeviceAccess
{
    bool Exists = true;
    bool Accessible = true;         // this process may read and write it
    QString Owner;                  // user owning the device
    QString Group;                  // group owning the device
    bool GroupGrantsAccess = false; // members of Group may read and write it
};

// Looks at the device node. On platforms without POSIX permissions every
// device counts as existing and accessible.
TDeviceAccess ProbeDeviceAccess(const QString &device);

// The reason a caller shows when the platform refused to open a device.
// `permissionRefused` tells that the platform reported a permission problem,
// which for an accessible device means that another program holds it. The
// advice to join the device's group names the platform's command.
QString DescribeOpenFailure(const QString &device, const TDeviceAccess &access,
                            bool permissionRefused, const QString &platformText,
                            TPortPlatform platform = ThisPortPlatform());

} // namespace varno::link
