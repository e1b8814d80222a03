#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <model/Project.h>

// A value of a file that the project holds otherwise than it is written, which
// the next save would write as held: a number kept by its low 8 bits, as the
// player would (program -1 is held as 255, a weekday of 300 as 44), or a flag
// whose line differs from "yes" only by the case of its letters ("Yes", "YES"),
// which only "yes" sets, so held as no.
struct TNarrowedNumber
{
    enum class TFlag
    {
        None,
        Priority,
        Timer,
        Active
    };

    int line = 0;
    QString what; // "the program number", "an action value", "the priority flag", ...
    qint64 written = 0;
    quint8 held = 0;
    TFlag flag = TFlag::None; // which flag read as no; None for a number
    QString spelling;         // the flag's line as written
    quint8 program = 0;       // the number of the program whose section holds it
};

// Project files (*.prg): text, one value per line, CR LF line ends, Windows-1252.
namespace varno::projectfile {

inline constexpr char Header[] = "Group Of Program File of VARNO";
inline constexpr char Separator[] = "*****";

// The file's bytes for a project.
QByteArray Serialize(const TProject &project);

// The bytes one program's section takes in the file.
qint64 ProgramSize(const TVARNOProg &program);

// Parses a whole file; throws TProjectFileError naming fileName and the line.
// `narrowed`, when given, receives every number kept by its low 8 bits and
// every flag read as no for the case of its letters.
TProject Parse(const QByteArray &bytes, const QString &fileName,
               QList<TNarrowedNumber> *narrowed = nullptr);

} // namespace varno::projectfile

// Writes the project through TAtomicFile (model/AtomicWrite.h): a save that fails
// at any step, a full disk included, leaves the previous file whole. A project
// whose file would exceed MaxReadableFileSize (model/FileRead.h), which no load
// would take back, is refused before anything is written. Throws
// TProjectFileError with the reason.
void SaveProject(const QString &fileName, const TProject &project);

// Reads a whole project file into a new project; the caller replaces its current
// project only when this returns. A folder, pipe or device, a file above
// MaxReadableFileSize (model/FileRead.h) and a lack of memory are load errors
// like a malformed line. Throws TProjectFileError. See LoadProjectAsHeld for
// the project as the programmer holds it once opened.
TProject LoadProject(const QString &fileName, QList<TNarrowedNumber> *narrowed = nullptr);
