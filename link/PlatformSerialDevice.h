#pragma once

#include <link/SerialDevice.h>
#include <memory>

namespace varno::link {

// The platform's serial port: the Win32 communications API on Windows,
// QSerialPort elsewhere.
std::unique_ptr<TSerialDevice> MakePlatformSerialDevice();

} // namespace varno::link
