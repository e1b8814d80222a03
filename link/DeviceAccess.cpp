#include <QFile>
#include <link/DeviceAccess.h>

#if defined(Q_OS_UNIX)
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace varno::link {

TDeviceAccess ProbeDeviceAccess(const QString &device)
{
    TDeviceAccess access;
#if defined(Q_OS_UNIX)
    const QByteArray path = QFile::encodeName(device);
    struct stat info
    {
    };
    if (::stat(path.constData(), &info) != 0) {
        access.Exists = false;
        access.Accessible = false;
        return access;
    }
    access.Accessible = ::access(path.constData(), R_OK | W_OK) == 0;
    if (const struct passwd *owner = ::getpwuid(info.st_uid))
        access.Owner = QString::fromLocal8Bit(owner->pw_name);
    else
        access.Owner = QString::number(info.st_uid);
    if (const struct group *group = ::getgrgid(info.st_gid))
        access.Group = QString::fromLocal8Bit(group->gr_name);
    else
        access.Group = QString::number(info.st_gid);
    access.GroupGrantsAccess = (info.st_mode & (S_IRGRP | S_IWGRP)) == (S_IRGRP | S_IWGRP);
#else
    Q_UNUSED(device);
#endif
    return access;
}

QString DescribeOpenFailure(const QString &device, const TDeviceAccess &access,
                            bool permissionRefused, const QString &platformText,
                            TPortPlatform platform)
{
    QString reason;
    if (!access.Exists) {
        reason = QStringLiteral("%1 does not exist").arg(device);
    } else if (!access.Accessible) {
        if (access.GroupGrantsAccess) {
            const QString join =
                platform == TPortPlatform::MacOS
                    ? QStringLiteral("sudo dseditgroup -o edit -a $USER -t user %1")
                    : QStringLiteral("sudo usermod -aG %1 $USER");
            reason = QStringLiteral("No permission to use %1: members of the group \"%2\" may "
                                    "use it. Add your user to that group (for example: %3), "
                                    "then log out and in again")
                         .arg(device, access.Group, join.arg(access.Group));
        } else {
            reason = QStringLiteral("No permission to use %1: only its owner %2 may use it")
                         .arg(device, access.Owner);
        }
    } else if (permissionRefused) {
        reason = QStringLiteral("%1 is in use by another program").arg(device);
    }
    if (reason.isEmpty())
        return platformText.isEmpty() ? QStringLiteral("%1 cannot be opened").arg(device)
                                      : QStringLiteral("%1: %2").arg(device, platformText);
    if (!platformText.isEmpty())
        reason += QStringLiteral(" (%1)").arg(platformText);
    return reason;
}

} // namespace varno::link
