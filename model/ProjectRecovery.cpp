#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QUuid>
#include <algorithm>
#include <model/AppIdentity.h>
#include <model/AtomicWrite.h>
#include <model/Errors.h>
#include <model/HeldLockFile.h>
#include <model/ProjectFile.h>
#include <model/ProjectRecovery.h>
#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace {

std::unique_ptr<THeldLockFile> sessionLock(const QString &path)
{
    auto lock = std::make_unique<THeldLockFile>(path);
    // The programmer may run for days: only a dead owner makes a lock stale, never
    // its age (which Qt would go by where the file system cannot lock files).
    lock->setStaleLockTime(0);
    return lock;
}

void writeText(const QString &fileName, const QByteArray &bytes)
{
    QString error;
    if (!varno::WriteFileAtomically(fileName, bytes, &error))
        throw TProjectFileError(fileName, 0, QStringLiteral("cannot be written: %1").arg(error));
}

QByteArray readText(const QString &fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A lock file with no owner in it (written when its programmer started, but a
// power cut left it empty) names no process that may still run. It is removed
// unless a process holds it open as its lock: that is what a live owner does.
void removeOwnerlessLock(const QString &path)
{
    qint64 pid = 0;
    QString host, application;
    if (QLockFile(path).getLockInfo(&pid, &host, &application))
        return; // an owner is named: QLockFile knows whether it still runs
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return;
    const bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0;
    ::close(fd); // and with it the probe's own lock
    if (held)
        return;
#endif
    // Elsewhere a held lock file cannot be removed.
    QFile::remove(path);
}

// The session lock of a copy another programmer left, when no running
// programmer holds it.
std::unique_ptr<THeldLockFile> takeLeftLock(const QString &path)
{
    auto lock = sessionLock(path);
    if (lock->take())
        return lock;
    removeOwnerlessLock(path);
    if (!lock->take())
        return nullptr;
    return lock;
}

} // namespace

QString TProjectRecovery::defaultFolder()
{
    return varno::identity::DataFolder(varno::identity::RecoveryFolder);
}

TProjectRecovery::TProjectRecovery(const QString &folder)
    : folder_(folder), id_(QUuid::createUuid().toString(QUuid::WithoutBraces))
{
}

TProjectRecovery::~TProjectRecovery() = default;

QString TProjectRecovery::path(const QString &id, const char *suffix) const
{
    return QDir(folder_).filePath(id + QLatin1String(suffix));
}

QString TProjectRecovery::copyPath() const
{
    return path(id_, ".prg");
}

bool TProjectRecovery::start(QString *error)
{
    if (!QDir().mkpath(folder_)) {
        if (error)
            *error = QStringLiteral("%1: cannot be created").arg(QDir::toNativeSeparators(folder_));
        return false;
    }
    auto lock = sessionLock(path(id_, ".lock"));
    if (!lock->take()) {
        if (error)
            *error = QStringLiteral("%1: cannot be locked")
                         .arg(QDir::toNativeSeparators(path(id_, ".lock")));
        return false;
    }
    lock_ = std::move(lock);
    return true;
}

bool TProjectRecovery::update(const TProject &project, const QString &sourceFile, bool changed)
{
    if (closed_ || !changed)
        return false;
    QString error;
    if (!lock_ && !start(&error))
        throw TVarnoError(error);
    QByteArray state = sourceFile.toUtf8();
    state += '\0';
    state += varno::projectfile::Serialize(project);
    if (state == written_)
        return false;
    // The source first: a copy is never read without the file it belongs to.
    writeText(path(id_, ".source"), sourceFile.toUtf8());
    SaveProject(copyPath(), project);
    written_ = state;
    return true;
}

void TProjectRecovery::removeFiles(const QString &id) const
{
    QFile::remove(path(id, ".prg"));
    QFile::remove(path(id, ".source"));
}

void TProjectRecovery::discard()
{
    if (!lock_)
        return;
    removeFiles(id_);
    written_.clear();
}

void TProjectRecovery::closeNormally()
{
    discard();
    lock_.reset();
    closed_ = true;
}

TProjectRecovery::UnreadableCopy TProjectRecovery::moveAside(const QString &id,
                                                             const QString &error) const
{
    UnreadableCopy unreadable{path(id, ".prg"), error, QString()};
    const QString aside = QDir(folder_).filePath(QStringLiteral("unreadable"));
    const QString target = QDir(aside).filePath(id + QStringLiteral(".prg"));
    if (!QDir().mkpath(aside) || !QFile::rename(unreadable.file, target))
        return unreadable;
    unreadable.movedTo = target;
    // The source goes with it: it says whose file the copy was.
    QFile::rename(path(id, ".source"), QDir(aside).filePath(id + QStringLiteral(".source")));
    return unreadable;
}

std::vector<TProjectRecovery::LeftCopy>
TProjectRecovery::leftCopies(std::vector<UnreadableCopy> *unreadable)
{
    std::vector<LeftCopy> copies;
    const QFileInfoList files =
        QDir(folder_).entryInfoList({QStringLiteral("*.prg")}, QDir::Files, QDir::Name);
    for (const QFileInfo &file : files) {
        const QString id = file.completeBaseName();
        if (id == id_ || leftLocks_.count(id))
            continue;
        auto lock = takeLeftLock(path(id, ".lock"));
        if (!lock)
            continue; // its programmer still runs
        LeftCopy copy;
        try {
            copy.project = LoadProject(file.filePath());
        } catch (const TVarnoError &e) {
            // Neither offered nor deleted, and not met again at every start.
            const UnreadableCopy moved = moveAside(id, e.message());
            if (unreadable)
                unreadable->push_back(moved);
            continue; // its lock goes with `lock`
        }
        copy.id = id;
        copy.sourceFile = QString::fromUtf8(readText(path(id, ".source")));
        copy.written = file.lastModified();
        leftLocks_[id] = std::move(lock);
        copies.push_back(std::move(copy));
    }
    // Sessions that ended without a copy to leave only leave their lock: tidied.
    const QFileInfoList locks =
        QDir(folder_).entryInfoList({QStringLiteral("*.lock")}, QDir::Files | QDir::Hidden);
    for (const QFileInfo &file : locks) {
        const QString id = file.completeBaseName();
        if (id != id_ && !leftLocks_.count(id) && !QFileInfo::exists(path(id, ".prg")))
            sessionLock(file.filePath())->take(); // unlocked, so deleted, at once
    }
    std::stable_sort(copies.begin(), copies.end(),
                     [](const LeftCopy &a, const LeftCopy &b) { return a.written > b.written; });
    return copies;
}

void TProjectRecovery::remove(const LeftCopy &copy)
{
    removeFiles(copy.id);
    leftLocks_.erase(copy.id); // unlocking deletes the lock file
}
