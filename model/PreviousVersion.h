#pragma once

#include <QString>

// The previous version of a project file, kept beside it as NAME.prg.bak before a
// save replaces the file, so that a save the user regrets can be undone by hand.

// fileName with ".bak" added.
QString PreviousVersionPath(const QString &fileName);

// Copies fileName's present content over its previous version (written through a
// temporary file, so a failed copy leaves the older backup whole). Nothing to do
// when fileName does not exist yet. Throws TProjectFileError naming the backup
// when it cannot be written: the caller then does not save, and the file stays
// as it was.
void KeepPreviousVersion(const QString &fileName);
