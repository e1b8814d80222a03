#pragma once

#include <QString>

namespace varno::link {

// The device the platform opens for a port name. "COM1" to "COM6" are the names
// the user sees and the settings store: Windows opens them as they are, Linux and
// macOS open the built-in UARTs /dev/ttyS0 to /dev/ttyS5. A relative name that
// exists in the current folder opens that file (a link to a pseudo-terminal, say).
// Any other name (a device path, "COM7") goes to the platform unchanged.
QString PortDeviceName(const QString &portName);

} // namespace varno::link
