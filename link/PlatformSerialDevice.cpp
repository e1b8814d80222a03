#include <link/PlatformSerialDevice.h>

#if defined(Q_OS_WIN)
#include <link/Win32SerialDevice.h>
#else
#include <link/QtSerialDevice.h>
#endif

namespace varno::link {

std::unique_ptr<TSerialDevice> MakePlatformSerialDevice()
{
#if defined(Q_OS_WIN)
    return std::make_unique<TWin32SerialDevice>();
#else
    return std::make_unique<TQtSerialDevice>();
#endif
}

} // namespace varno::link
