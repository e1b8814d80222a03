#pragma once

#include <QByteArray>
#include <QString>
#include <model/Project.h>

// Project files (*.prg): text, one value per line, CR LF line ends, Windows-1252.
namespace varno::projectfile {

inline constexpr char Header[] = "Group Of Program File of VARNO";
inline constexpr char Separator[] = "*****";

// The file's bytes for a project.
QByteArray serialize(const TProject &project);

// Parses a whole file; throws TProjectFileError naming fileName and the line.
TProject parse(const QByteArray &bytes, const QString &fileName);

} // namespace varno::projectfile

// Writes the project through TAtomicFile (model/AtomicWrite.h): a save that fails
// at any step, a full disk included, leaves the previous file whole. Throws
// TProjectFileError with the system's reason.
void SaveProject(const QString &fileName, const TProject &project);

// Reads a whole project file into a new project; the caller replaces its current
// project only when this returns. A folder, pipe or device, a file above
// MaxReadableFileSize (model/FileRead.h) and a lack of memory are load errors
// like a malformed line. Throws TProjectFileError.
TProject LoadProject(const QString &fileName);
