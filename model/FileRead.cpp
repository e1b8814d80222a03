#include <QFile>
#include <QFileInfo>
#include <model/FileRead.h>
#include <new>
#ifdef Q_OS_UNIX
#include <cerrno>
#include <sys/stat.h>
#endif

namespace varno {
namespace {

void setReason(QString *reason, const QString &text)
{
    if (reason)
        *reason = text;
}

} // namespace

std::optional<QByteArray> ReadSmallFile(const QString &fileName, QString *reason, qint64 maxSize)
{
    const QFileInfo info(fileName);
    if (info.isDir()) {
        setReason(reason, QStringLiteral("cannot be opened: it is a folder, not a file"));
        return std::nullopt;
    }
    if (info.exists() && !info.isFile()) {
        setReason(reason, QStringLiteral("cannot be opened: it is a device or a pipe, not a file"));
        return std::nullopt;
    }
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        setReason(reason, QStringLiteral("cannot be opened: %1").arg(file.errorString()));
        return std::nullopt;
    }
    if (file.size() > maxSize) {
        setReason(reason, QStringLiteral("is too large: %1 bytes, where the limit is %2 MB")
                              .arg(file.size())
                              .arg(maxSize / (1024 * 1024)));
        return std::nullopt;
    }
    QByteArray bytes;
    try {
        // Never more than the limit, even when the file grows while it is read.
        bytes = file.read(maxSize + 1);
    } catch (const std::bad_alloc &) {
        setReason(reason, QStringLiteral("cannot be read: not enough memory"));
        return std::nullopt;
    }
    if (file.error() != QFileDevice::NoError) {
        setReason(reason, QStringLiteral("cannot be read: %1").arg(file.errorString()));
        return std::nullopt;
    }
    if (bytes.size() > maxSize) {
        setReason(reason,
                  QStringLiteral("is too large: more than %1 MB").arg(maxSize / (1024 * 1024)));
        return std::nullopt;
    }
    return bytes;
}

bool PathNamesNothing(const QString &fileName)
{
#ifdef Q_OS_UNIX
    struct stat st;
    if (::stat(QFile::encodeName(fileName).constData(), &st) == 0)
        return false;
    // A loop of links is something the user should hear about; a dangling link
    // or a missing file is simply not there.
    return errno == ENOENT || errno == ENOTDIR;
#else
    return !QFileInfo::exists(fileName);
#endif
}

} // namespace varno
