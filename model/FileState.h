#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

// What a file on disk was at one moment: its size, modification time and a hash
// of its bytes. The programmer notes it when it opens or saves a project, so
// that a file another program has changed since is never overwritten unasked.
struct TFileState
{
    bool known = false; // false: never noted, or the file could not be read
    qint64 size = 0;
    QDateTime modified;
    QByteArray hash;

    // The file as it is now; not known when it cannot be read.
    static TFileState of(const QString &fileName);

    // True when both were noted and the file differs in any of the three.
    bool differsFrom(const TFileState &other) const;
};
