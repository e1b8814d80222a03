#pragma once

#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QTemporaryDir>

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

    QTemporaryDir dir;
    const QString probePath = dir.filePath(QStringLiteral("probe.lock"));
    QLockFile probe(probePath);
    if (!probe.tryLock(0))
        return false;
    QFile probeFile(probePath);
    if (!probeFile.open(QIODevice::ReadOnly))
        return false;
    const QByteArray contents = probeFile.readAll();
    const qsizetype firstLineEnd = contents.indexOf('\n');
    if (firstLineEnd < 0)
        return false;

    QFile stale(path);
    return stale.open(QIODevice::WriteOnly) &&
           stale.write(QByteArray::number(pid) + contents.mid(firstLineEnd)) > 0;
}

// Writes at path the lock file an earlier process with this process's id left
// (ids are reused): complete, naming this process, held by nobody.
inline bool writeLockOfOurId(const QString &path)
{
    QTemporaryDir dir;
    const QString probePath = dir.filePath(QStringLiteral("probe.lock"));
    QLockFile probe(probePath);
    if (!probe.tryLock(0))
        return false;
    QFile probeFile(probePath);
    QFile left(path);
    return probeFile.open(QIODevice::ReadOnly) && left.open(QIODevice::WriteOnly) &&
           left.write(probeFile.readAll()) > 0;
}
