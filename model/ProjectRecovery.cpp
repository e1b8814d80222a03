#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>
#include <QUuid>
#include <algorithm>
#include <model/AtomicWrite.h>
#include <model/Errors.h>
#include <model/ProjectFile.h>
#include <model/ProjectRecovery.h>

namespace {

std::unique_ptr<QLockFile> sessionLock(const QString &path)
{
    auto lock = std::make_unique<QLockFile>(path);
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

} // namespace

QString TProjectRecovery::defaultFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/recovery");
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
            *error = QStringLiteral("%1: cannot be created").arg(folder_);
        return false;
    }
    auto lock = sessionLock(path(id_, ".lock"));
    if (!lock->tryLock(0)) {
        if (error)
            *error = QStringLiteral("%1: cannot be locked").arg(path(id_, ".lock"));
        return false;
    }
    lock_ = std::move(lock);
    return true;
}

bool TProjectRecovery::update(const TProject &project, const QString &sourceFile, bool changed)
{
    if (!lock_ || !changed)
        return false;
    QByteArray state = sourceFile.toUtf8();
    state += '\0';
    state += varno::projectfile::serialize(project);
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
}

std::vector<TProjectRecovery::LeftCopy> TProjectRecovery::leftCopies()
{
    std::vector<LeftCopy> copies;
    const QFileInfoList files =
        QDir(folder_).entryInfoList({QStringLiteral("*.prg")}, QDir::Files, QDir::Name);
    for (const QFileInfo &file : files) {
        const QString id = file.completeBaseName();
        if (id == id_ || leftLocks_.count(id))
            continue;
        auto lock = sessionLock(path(id, ".lock"));
        if (!lock->tryLock(0))
            continue; // its programmer still runs
        LeftCopy copy;
        try {
            copy.project = LoadProject(file.filePath());
        } catch (const TVarnoError &) {
            continue; // not a copy this programmer can read: left alone
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
            sessionLock(file.filePath())->tryLock(0); // unlocked, so deleted, at once
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
