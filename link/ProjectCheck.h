#pragma once

#include <QList>
#include <QStringList>
#include <model/ProjectFile.h>

class TProject;

// Plain-English warnings about what a transmit of the project does that its
// user may not expect, found from the transmit's own steps and encoder:
// programs never sent, steps that send a program under another number, later
// programs that replace earlier ones, values that do not fit their bits or
// name nothing, a name that does not fit its block, and the values of the
// file (`narrowed`) held otherwise than written: numbers kept by their low 8
// bits, flags written "Yes" read as no. An empty list means
// nothing to report.
QStringList CheckProject(const TProject &project, const QList<TNarrowedNumber> &narrowed = {});
