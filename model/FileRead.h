#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace varno {

// The most a project or settings file may hold. The largest project the
// programmer writes is a small fraction of it; anything larger is refused before
// a byte is read, so that a huge or endless file cannot exhaust the memory.
inline constexpr qint64 MaxReadableFileSize = 16 * 1024 * 1024;

// Reads a whole file of the programmer. A folder, a pipe or a device is refused
// at once (a pipe would be read forever), and so is a file above maxSize. On
// failure returns nothing and sets *reason to a phrase that follows the file's
// name: "cannot be opened: No such file or directory", "is too large ...".
std::optional<QByteArray> ReadSmallFile(const QString &fileName, QString *reason,
                                        qint64 maxSize = MaxReadableFileSize);

// True when nothing at all is at the path: no file, no folder, not even a link
// (a dangling link counts as nothing, a loop of links does not).
bool PathNamesNothing(const QString &fileName);

} // namespace varno
