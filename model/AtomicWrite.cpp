#include <QFile>
#include <QFileInfo>
#include <QtGlobal>
#include <cerrno>
#include <climits>
#include <model/AtomicWrite.h>
#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace varno {
namespace {

// Steps left before the injected failure; 0 when none is planned.
int &stepsBeforeFailure()
{
    static int steps = qEnvironmentVariableIntValue("VARNO_FAIL_NTH_WRITE");
    return steps;
}

bool injectedFailure()
{
    int &steps = stepsBeforeFailure();
    if (steps <= 0)
        return false;
    return --steps == 0;
}

QString fullDiskReason()
{
#ifdef Q_OS_WIN
    // The system's own code: there qt_error_string reads Windows error codes,
    // where ENOSPC (28) is "out of paper".
    constexpr int diskFull = 112; // ERROR_DISK_FULL
    return qt_error_string(diskFull);
#else
    return qt_error_string(ENOSPC);
#endif
}

// The temporary file is the target's name with a dot and six characters.
constexpr int TemporarySuffixLength = 7;

// The longest name the file system of folder takes for one file, in the units
// its names are counted in (bytes of the encoded name where names are bytes).
qsizetype longestName(const QString &folder)
{
#ifdef Q_OS_UNIX
    const long max = ::pathconf(QFile::encodeName(folder).constData(), _PC_NAME_MAX);
    return max > 0 ? qsizetype(max) : 255;
#else
    Q_UNUSED(folder);
    return 255;
#endif
}

qsizetype nameLength(const QString &name)
{
#ifdef Q_OS_UNIX
    return QFile::encodeName(name).size();
#else
    return name.size();
#endif
}

} // namespace

QString WhyNameDoesNotFit(const QString &fileName)
{
    const QFileInfo info(fileName);
    const qsizetype longest = nameLength(info.fileName()) + TemporarySuffixLength;
    bool tooLong = longest > longestName(info.absolutePath());
#ifdef PATH_MAX
    tooLong = tooLong || nameLength(info.absoluteFilePath()) + TemporarySuffixLength >= PATH_MAX;
#endif
    if (!tooLong)
        return {};
#ifdef Q_OS_UNIX
    return qt_error_string(ENAMETOOLONG);
#else
    // qt_error_string takes the system's own error codes there, not errno's.
    return QStringLiteral("File name too long");
#endif
}

TAtomicFile::TAtomicFile(const QString &fileName) : file_(fileName) {}

bool TAtomicFile::fail(const QString &reason)
{
    failed_ = true;
    error_ = reason;
    // The temporary file is dropped; the target is never replaced.
    if (file_.isOpen())
        file_.cancelWriting();
    return false;
}

bool TAtomicFile::open()
{
    if (const QString why = WhyNameDoesNotFit(file_.fileName()); !why.isEmpty())
        return fail(why);
    if (!file_.open(QIODevice::WriteOnly))
        return fail(file_.errorString());
    return true;
}

bool TAtomicFile::write(const QByteArray &bytes)
{
    if (failed_)
        return false;
    if (injectedFailure())
        return fail(fullDiskReason());
    if (file_.write(bytes) != bytes.size())
        return fail(file_.errorString());
    return true;
}

bool TAtomicFile::commit()
{
    if (failed_)
        return false;
    // Small writes wait in a buffer: its flush is where a full disk shows, and the
    // save file's commit would not see that failure by itself.
    if (injectedFailure())
        return fail(fullDiskReason());
    if (!file_.flush())
        return fail(file_.errorString());
#ifdef Q_OS_UNIX
    // Some file systems only find out at the sync that the blocks do not fit.
    if (::fsync(file_.handle()) != 0 && errno != EINVAL && errno != EROFS)
        return fail(qt_error_string(errno));
#endif
    if (injectedFailure())
        return fail(fullDiskReason());
    if (!file_.commit())
        return fail(file_.errorString());
    return true;
}

bool WriteFileAtomically(const QString &fileName, const QByteArray &bytes, QString *error)
{
    TAtomicFile file(fileName);
    if (file.open() && file.write(bytes) && file.commit())
        return true;
    if (error)
        *error = file.errorString();
    return false;
}

namespace atomicwrite {

void FailNthWrite(int n)
{
    stepsBeforeFailure() = n;
}

} // namespace atomicwrite
} // namespace varno
