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

// Writes the project through a temporary file renamed into place, so that a
// failed save leaves the previous file whole. Throws TProjectFileError.
void SaveProject(const QString &fileName, const TProject &project);

// Reads a whole project file into a new project; the caller replaces its current
// project only when this returns. Throws TProjectFileError.
TProject LoadProject(const QString &fileName);
