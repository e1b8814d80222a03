#pragma once

#include <QString>

// Why a project file could not be written at `fileName`, found before any work
// is done: an existing file (unless `replace`), a missing folder, a folder
// that takes no new file, a file that may not be replaced, a file a running
// programmer has open. Empty when a save there can go ahead.
QString whyOutputCannotBeWritten(const QString &fileName, bool replace);
