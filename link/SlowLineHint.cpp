#include <link/LowLatency.h>
#include <link/SlowLineHint.h>

namespace varno::link {

QString SlowLineHint(TPortPlatform platform, const QString &port, std::optional<int> timerMs,
                     const QString &ttyName, std::optional<double> msPerProgram)
{
    if (platform == TPortPlatform::Linux) {
        if (!timerMs || *timerMs <= SlowLatencyTimerMs)
            return {};
        return QStringLiteral("hint: the USB adapter of %1 holds every answer up to %2 ms, so a "
                              "transfer takes 10 s or more; 'echo 1 | sudo tee "
                              "/sys/bus/usb-serial/devices/%3/latency_timer' makes it 1 ms")
            .arg(port)
            .arg(*timerMs)
            .arg(ttyName);
    }
    if (!msPerProgram || *msPerProgram <= SlowMsPerProgram)
        return {};
    const QString late =
        QStringLiteral("hint: the answers of %1 come late (%2 ms a program, where the line needs "
                       "5 ms), so a transfer takes 10 s or more: a USB adapter's latency timer "
                       "holds them; ")
            .arg(port)
            .arg(qRound(*msPerProgram));
    if (platform == TPortPlatform::Windows)
        return late + QStringLiteral("in Device Manager, open the port's Properties, Port "
                                     "Settings, Advanced, and set Latency Timer to 1 ms");
    return late + QStringLiteral("set it to 1 ms where the adapter's driver offers the setting");
}

} // namespace varno::link
