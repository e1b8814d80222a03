#pragma once

#include <QString>

// The previous version of a project file, kept beside it as NAME.prg.bak before a
// save replaces the file, so that a save the user regrets can be undone by hand.

namespace varno::projectfile {

// fileName with ".bak" added.
QString PreviousVersionPath(const QString &fileName);

// Why a save at fileName could not write all its files (the file and its
// previous version, each through a temporary file beside it), found from the
// names alone: the system's reason ("File name too long"), with *name set to
// the name that does not fit; empty when they all fit.
QString WhySaveNamesDoNotFit(const QString &fileName, QString *name = nullptr);

// Copies fileName's present content over its previous version (written through a
// temporary file, so a failed copy leaves the older backup whole). Nothing to do
// when fileName does not exist yet. Throws TProjectFileError naming the backup
// when it cannot be written, or when any name of the save does not fit
// (WhySaveNamesDoNotFit), even before a first save: the caller then does not
// save, and the file stays as it was.
void KeepPreviousVersion(const QString &fileName);

} // namespace varno::projectfile
