#pragma once

#include <QString>

// Why a project file could not be written at `fileName`, found before any work
// is done: an existing file (unless `replace`), a missing folder, a folder
// that takes no new file, a file that may not be replaced, a file a running
// programmer has open, a name (of the file, its previous version or their
// temporary files) longer than the file system takes. Empty when a save there can go ahead.
QString whyOutputCannotBeWritten(const QString &fileName, bool replace);
