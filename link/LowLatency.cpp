#include <QFile>
#include <QFileInfo>
#include <link/LowLatency.h>

#if defined(__linux__)
#include <linux/serial.h>
#include <sys/ioctl.h>
#endif

namespace varno::link {

namespace {

#if defined(__linux__)
class TLinuxSerialFlags final : public TSerialDriverFlags
{
public:
    std::optional<int> get(int descriptor) override
    {
        serial_struct serial{};
        if (::ioctl(descriptor, TIOCGSERIAL, &serial) != 0)
            return std::nullopt;
        return serial.flags;
    }
    bool set(int descriptor, int flags) override
    {
        serial_struct serial{};
        if (::ioctl(descriptor, TIOCGSERIAL, &serial) != 0)
            return false;
        serial.flags = flags;
        return ::ioctl(descriptor, TIOCSSERIAL, &serial) == 0;
    }
};
#else
class TLinuxSerialFlags final : public TSerialDriverFlags
{
public:
    std::optional<int> get(int) override { return std::nullopt; }
    bool set(int, int) override { return false; }
};
#endif

} // namespace

std::unique_ptr<TSerialDriverFlags> PlatformSerialDriverFlags()
{
    return std::make_unique<TLinuxSerialFlags>();
}

int LowLatencyFlag()
{
#if defined(__linux__)
    return ASYNC_LOW_LATENCY;
#else
    return 0x2000;
#endif
}

TLowLatencyRequest::TLowLatencyRequest(std::unique_ptr<TSerialDriverFlags> flags)
    : flags_(std::move(flags))
{
}

void TLowLatencyRequest::request(int descriptor)
{
    restore();
    if (!flags_ || descriptor < 0)
        return;
    const std::optional<int> current = flags_->get(descriptor);
    if (!current || (*current & LowLatencyFlag()))
        return;
    if (flags_->set(descriptor, *current | LowLatencyFlag())) {
        descriptor_ = descriptor;
        former_ = current;
    }
}

void TLowLatencyRequest::restore()
{
    if (former_ && flags_)
        flags_->set(descriptor_, *former_);
    former_.reset();
    descriptor_ = -1;
}

std::optional<int> AdapterLatencyTimer(const QString &device, const QString &sysfs)
{
    const QString target = QFileInfo(device).canonicalFilePath();
    const QString tty = QFileInfo(target.isEmpty() ? device : target).fileName();
    QFile file(sysfs + QStringLiteral("/bus/usb-serial/devices/") + tty +
               QStringLiteral("/latency_timer"));
    if (tty.isEmpty() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    bool ok = false;
    const int value = file.readAll().trimmed().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

} // namespace varno::link
