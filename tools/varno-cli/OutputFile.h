#pragma once

#include <QString>
#include <functional>

// Why a project file could not be written at `fileName`, found before any work
// is done: an existing file (unless `replace`), a missing folder, a folder
// that takes no new file, a file that may not be replaced, a file a running
// programmer has open, a name (of the file, its previous version or their
// temporary files) longer than the file system takes. Empty when a save there can go ahead.
QString whyOutputCannotBeWritten(const QString &fileName, bool replace);

// The same for an export (CSV, report), which never replaces a project file.
QString whyExportCannotBeWritten(const QString &fileName, bool replace);

// Runs `write` with the file's lock held, as a programmer's save does, so that
// a programmer that opened the file since the checks above is not written
// under, nor writes its older copy over this one afterwards. Returns why it did
// not write (a programmer holds the file), empty once written; the writer's own
// failures are its exceptions.
QString writeHoldingLock(const QString &fileName, const std::function<void()> &write);
