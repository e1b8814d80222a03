#include <link/PortList.h>

namespace varno::link {

QList<TOfferedPort> OtherSystemPorts(TPortPlatform platform, const QList<TSystemPort> &ports,
                                     const QStringList &standardDevices)
{
    QList<TOfferedPort> offered;
    QStringList seen;
    for (const TSystemPort &port : ports) {
        QString name = port.SystemLocation;
        if (platform == TPortPlatform::Windows) {
            name = port.PortName;
            if (name.startsWith(QLatin1String("\\\\.\\")))
                name.remove(0, 4);
        } else if (platform == TPortPlatform::MacOS &&
                   !name.startsWith(QLatin1String("/dev/cu."))) {
            continue;
        }
        const Qt::CaseSensitivity cs =
            platform == TPortPlatform::Windows ? Qt::CaseInsensitive : Qt::CaseSensitive;
        if (name.isEmpty() || standardDevices.contains(name, cs) || seen.contains(name, cs))
            continue;
        seen << name;
        const QString label = port.Description.isEmpty()
                                  ? name
                                  : QStringLiteral("%1 (%2)").arg(name, port.Description);
        offered.append({name, label});
    }
    return offered;
}

bool StandardPortOffered(TPortPlatform platform, bool deviceExists, bool inUse)
{
    return platform != TPortPlatform::MacOS || deviceExists || inUse;
}

TPortPlatform ThisPortPlatform()
{
#if defined(Q_OS_WIN)
    return TPortPlatform::Windows;
#elif defined(Q_OS_MACOS)
    return TPortPlatform::MacOS;
#else
    return TPortPlatform::Linux;
#endif
}

} // namespace varno::link
