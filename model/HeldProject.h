#pragma once

#include <QList>
#include <model/ProjectFile.h>

class TProgList;
class TVARNOProg;

// What a project looks like once the programmer holds it. The programmer
// shows every program it opens or receives, and showing a program tidies its
// action slots; a transmit sends the project in that state. The programmer's
// Open and Receive and every varno-cli command go through these functions, so
// that all of them send the same bytes for the same file.

namespace varno::actions {

// Empties every slot after the first list-ending slot (kind 1, number 0) and
// sets the value of every slot that is not an external output back to 255.
// The count is left alone.
void NormalizeActions(TVARNOProg &program);

// Every program as its showing leaves it.
void HoldPrograms(TProgList &programs);

// LoadProject, then HoldPrograms: the project as the programmer holds it once
// opened. `narrowed`, when given, receives the numbers of the file kept by
// their low 8 bits and the flags read as no for the case of their letters. Throws
// TProjectFileError.
TProject LoadProjectAsHeld(const QString &fileName, QList<TNarrowedNumber> *narrowed = nullptr);

} // namespace varno::actions
