#include <QDir>
#include <QFileInfo>
#include <link/PortName.h>

namespace varno::link {

QString PortDeviceName(const QString &portName)
{
#if defined(Q_OS_WIN)
    return portName;
#else
    static const QLatin1StringView prefix("COM");
    if (portName.size() == 4 && portName.startsWith(prefix)) {
        const QChar digit = portName.at(3);
        if (digit >= QLatin1Char('1') && digit <= QLatin1Char('6'))
            return QStringLiteral("/dev/ttyS%1").arg(digit.unicode() - '1');
    }
    // The serial library reads a bare name as a device of /dev; a name that the
    // current folder holds is the path the user meant.
    if (!portName.isEmpty() && QDir::isRelativePath(portName) && QFileInfo::exists(portName))
        return QDir::current().absoluteFilePath(portName);
    return portName;
#endif
}

} // namespace varno::link
