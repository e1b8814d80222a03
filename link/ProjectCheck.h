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

// What a transmit would put in the player that is most likely a mistake, found
// before the player is touched: a program going to a number no program bears,
// a timer on an inactive program, programs that can fire at the same minute,
// a date the player cannot hold, programs under one number. Each names the
// program numbers it is about, in project order.
enum class TFindingKind
{
    MissingJump,    // numbers: the program; value: the number it goes to
    InactiveTimer,  // numbers: the program
    Clash,          // numbers: the programs; value: the minute of the day
    ImpossibleDate, // numbers: the program; value: the year
    SharedNumber,   // numbers: the number once; value: how many programs bear it
};

struct TFinding
{
    TFindingKind kind = TFindingKind::MissingJump;
    QList<int> numbers;
    int value = 0;
};

QList<TFinding> TransmitFindings(const TProject &project);

// One line for a finding, in a language of the text tables.
QString FindingText(const TFinding &finding, quint8 language);

// The lines of the findings under a question: at most `shown` of them, then one
// that says how many more there are.
QStringList FindingLines(const QList<TFinding> &findings, quint8 language, int shown = 10);
