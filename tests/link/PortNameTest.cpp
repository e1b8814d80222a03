// Which device a port name opens, and what a caller is told when it cannot.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <link/DeviceAccess.h>
#include <link/PortName.h>
#if defined(Q_OS_UNIX)
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace varno::link {
namespace {

TEST(PortName, ComOneToSixOpenThePlatformsBuiltInPorts)
{
    for (int n = 1; n <= 6; ++n) {
        const QString name = QStringLiteral("COM%1").arg(n);
#if defined(Q_OS_WIN)
        EXPECT_EQ(PortDeviceName(name), name);
#else
        EXPECT_EQ(PortDeviceName(name), QStringLiteral("/dev/ttyS%1").arg(n - 1));
#endif
    }
}

TEST(PortName, OtherNamesGoToThePlatformUnchanged)
{
    for (const char *name : {"COM7", "COM0", "COM10", "COM61", "com1", "COM1 ", "/dev/ttyUSB0",
                             "/dev/ttyS0", "", "COM"})
        EXPECT_EQ(PortDeviceName(QString::fromLatin1(name)), QString::fromLatin1(name)) << name;
}

#if !defined(Q_OS_WIN)
TEST(PortName, RelativeNameOfAFileInTheCurrentFolderIsThatFile)
{
    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    QFile(QStringLiteral("player")).open(QIODevice::WriteOnly);
    const QString here = PortDeviceName(QStringLiteral("player"));
    const QString missing = PortDeviceName(QStringLiteral("nothere"));
    QDir::setCurrent(previous);
    EXPECT_EQ(here, dir.filePath(QStringLiteral("player")));
    EXPECT_EQ(missing, QStringLiteral("nothere"));
}
#endif

#if defined(Q_OS_UNIX)
// Windows has no device nodes to look at: its serial device says why itself.
TEST(DeviceAccessReason, MissingDeviceSaysSo)
{
    const TDeviceAccess access = ProbeDeviceAccess(QStringLiteral("/dev/no-such-port-here"));
    EXPECT_FALSE(access.Exists);
    const QString reason = DescribeOpenFailure(QStringLiteral("/dev/no-such-port-here"), access,
                                               false, QStringLiteral("No such file"));
    EXPECT_TRUE(reason.contains(QStringLiteral("/dev/no-such-port-here does not exist")))
        << reason.toStdString();
    EXPECT_TRUE(reason.contains(QStringLiteral("No such file")));
}
#endif

TEST(DeviceAccessReason, PermissionRefusedNamesTheGroupThatGrantsAccess)
{
    TDeviceAccess access;
    access.Accessible = false;
    access.Owner = QStringLiteral("root");
    access.Group = QStringLiteral("dialout");
    access.GroupGrantsAccess = true;
    const QString reason = DescribeOpenFailure(QStringLiteral("/dev/ttyS0"), access, true,
                                               QStringLiteral("Permission denied"));
    EXPECT_TRUE(reason.contains(QStringLiteral("\"dialout\""))) << reason.toStdString();
    EXPECT_TRUE(reason.contains(QStringLiteral("usermod -aG dialout")));

    access.GroupGrantsAccess = false;
    const QString ownerOnly = DescribeOpenFailure(QStringLiteral("/dev/ttyS0"), access, true, {});
    EXPECT_TRUE(ownerOnly.contains(QStringLiteral("owner root"))) << ownerOnly.toStdString();
    EXPECT_FALSE(ownerOnly.contains(QStringLiteral("dialout")));
}

TEST(DeviceAccessReason, AccessibleDeviceRefusedForPermissionIsInUse)
{
    const QString reason = DescribeOpenFailure(QStringLiteral("/dev/pts/3"), TDeviceAccess{}, true,
                                               QStringLiteral("locking the device"));
    EXPECT_TRUE(reason.contains(QStringLiteral("in use"))) << reason.toStdString();

    const QString other = DescribeOpenFailure(QStringLiteral("/dev/pts/3"), TDeviceAccess{}, false,
                                              QStringLiteral("Inappropriate ioctl"));
    EXPECT_EQ(other, QStringLiteral("/dev/pts/3: Inappropriate ioctl"));
}

#if defined(Q_OS_UNIX)
TEST(DeviceAccessReason, ProbeReadsOwnerGroupAndGroupPermission)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("port"));
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    const QByteArray native = QFile::encodeName(path);
    const struct group *group = ::getgrgid(::getegid());
    ASSERT_NE(group, nullptr);

    ASSERT_EQ(::chmod(native.constData(), 0660), 0);
    TDeviceAccess access = ProbeDeviceAccess(path);
    EXPECT_TRUE(access.Exists);
    EXPECT_TRUE(access.Accessible);
    EXPECT_EQ(access.Group, QString::fromLocal8Bit(group->gr_name));
    EXPECT_TRUE(access.GroupGrantsAccess);

    ASSERT_EQ(::chmod(native.constData(), 0640), 0);
    EXPECT_FALSE(ProbeDeviceAccess(path).GroupGrantsAccess);
}
#endif

} // namespace
} // namespace varno::link
