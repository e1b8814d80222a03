#pragma once

#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QTemporaryDir>

// The contents of a lock file this process writes; empty when none could be made.
inline QByteArray thisProcessLockContents()
{
    QTemporaryDir dir;
    const QString probePath = dir.filePath(QStringLiteral("probe.lock"));
    QLockFile probe(probePath);
    QFile probeFile(probePath);
    if (!probe.tryLock(0) || !probeFile.open(QIODevice::ReadOnly))
        return {};
    return probeFile.readAll();
}

inline bool writeLockContents(const QString &path, const QByteArray &contents)
{
    QFile file(path);
    return !contents.isEmpty() && file.open(QIODevice::WriteOnly) && file.write(contents) > 0;
}

// Writes at path the lock file a program that has since died would have left:
// the contents of a lock this process takes, with the id of a process that has
// exited. False when no such file could be made.
inline bool writeStaleLock(const QString &path)
{
    QProcess exited;
#ifdef Q_OS_WIN
    exited.start(QStringLiteral("cmd.exe"), {QStringLiteral("/c"), QStringLiteral("exit")});
#else
    exited.start(QStringLiteral("true"), {});
#endif
    if (!exited.waitForStarted())
        return false;
    const qint64 pid = exited.processId();
    if (!exited.waitForFinished())
        return false;
    const QByteArray contents = thisProcessLockContents();
    const qsizetype firstLineEnd = contents.indexOf('\n');
    return firstLineEnd >= 0 &&
           writeLockContents(path, QByteArray::number(pid) + contents.mid(firstLineEnd));
}

// Writes at path the lock file an earlier process with this process's id left
// (ids are reused): complete, naming this process, held by nobody.
inline bool writeLockOfOurId(const QString &path)
{
    return writeLockContents(path, thisProcessLockContents());
}
