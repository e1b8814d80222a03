#pragma once

#include <QString>
#include <memory>
#include <optional>

namespace varno::link {

// The serial driver's flags of an open descriptor (on Linux through
// TIOCGSERIAL and TIOCSSERIAL). Both fail where the driver has none, for
// instance on a pseudo-terminal.
class TSerialDriverFlags
{
public:
    virtual ~TSerialDriverFlags() = default;
    virtual std::optional<int> get(int descriptor) = 0;
    virtual bool set(int descriptor, int flags) = 0;
};

// The platform's flags; on other systems than Linux every call fails.
std::unique_ptr<TSerialDriverFlags> PlatformSerialDriverFlags();

// The driver's low-latency flag (ASYNC_LOW_LATENCY), which the common USB
// serial drivers turn into a 1 ms latency timer.
int LowLatencyFlag();

// Asks the driver for low latency when a port opens and puts its former flags
// back when it closes. A driver that refuses changes nothing and is no error.
class TLowLatencyRequest
{
public:
    explicit TLowLatencyRequest(std::unique_ptr<TSerialDriverFlags> flags);

    void request(int descriptor);
    void restore();

private:
    std::unique_ptr<TSerialDriverFlags> flags_;
    int descriptor_ = -1;
    std::optional<int> former_;
};

// The USB adapter's latency timer in milliseconds, read from
// <sysfs>/bus/usb-serial/devices/<tty>/latency_timer for the device (a path,
// symbolic links followed); nothing when the device has none.
std::optional<int> AdapterLatencyTimer(const QString &device,
                                       const QString &sysfs = QStringLiteral("/sys"));

// Above this the transfers wait for every answer: worth a hint to the user.
inline constexpr int SlowLatencyTimerMs = 2;

} // namespace varno::link
