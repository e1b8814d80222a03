#pragma once

// A small tmpfs of the test's own, to see what a full disk does to a save.
// Mounting needs the right to mount (root, as in most build containers); where
// it is missing, mounted() is false and the test skips itself.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#ifdef Q_OS_LINUX
#include <sys/mount.h>
#endif

class SmallFileSystem
{
public:
    SmallFileSystem()
    {
#ifdef Q_OS_LINUX
        mounted_ = dir_.isValid() && ::mount("tmpfs", QFile::encodeName(dir_.path()).constData(),
                                             "tmpfs", MS_NOSUID | MS_NODEV, "size=256k") == 0;
#endif
    }
    ~SmallFileSystem()
    {
#ifdef Q_OS_LINUX
        if (mounted_)
            ::umount2(QFile::encodeName(dir_.path()).constData(), MNT_DETACH);
#endif
    }
    SmallFileSystem(const SmallFileSystem &) = delete;
    SmallFileSystem &operator=(const SmallFileSystem &) = delete;

    bool mounted() const
    {
        return mounted_;
    }
    QString path() const
    {
        return dir_.path();
    }
    QString filePath(const QString &name) const
    {
        return dir_.filePath(name);
    }

    // Takes every free block with a file of its own; new files can still be
    // created, but nothing more can be written into them.
    void fill() const
    {
        QFile filler(filePath(QStringLiteral("filler")));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return;
        const QByteArray block(4096, 'f');
        while (filler.write(block) == block.size()) {
        }
        while (filler.write("f", 1) == 1) {
        }
    }

private:
    QTemporaryDir dir_;
    bool mounted_ = false;
};
