#pragma once

#include <QList>
#include <model/ProjectFile.h>

class TProject;

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

namespace varno::projectcheck {

QList<TFinding> TransmitFindings(const TProject &project);

} // namespace varno::projectcheck

// What a check of the whole project finds that its user may not expect, from
// the transmit's own steps and encoder: programs never sent, steps that send a
// program under another number, later programs that replace earlier ones,
// values that do not fit their bits or name nothing, a name that does not fit
// its block, the values of the file (`narrowed`) held otherwise than written
// (numbers kept by their low 8 bits, flags written "Yes" read as no), and the
// transmit findings. Worded by link/ProjectCheckText.h.
enum class TCheckKind
{
    NarrowedNumber,        // narrowed: a number of the file kept by its low 8 bits
    FlagReadAsNo,          // narrowed: a flag written otherwise than "yes"
    NameTooLong,           // value: the length of the name
    NameNotEncodable,      // the name has characters the player cannot store
    StepSendsOther,        // step sends the program, which bears another number
    SentAsZero,            // the program is sent with number 0
    ReplacesEarlier,       // the program is sent after the earlier one and replaces it
    NeverSent,             // the program; value: the number whose former content stays, or 0
    WeekDayOutOfRange,     // the program; value: the weekday
    DateModeOutOfRange,    // the program; value: the date mode
    ActionCountOutOfRange, // the program; value: the action count
    UnknownKind,           // the program; action, value: the kind, which names no action
    KindTooWide,           // the program; action, value: the kind, sent: the kind received
    YearOutOfRange,        // the program; value: the year, sent: the year received
    Transmit,              // finding: one of TransmitFindings
};

struct TProjectCheck
{
    TCheckKind kind = TCheckKind::Transmit;
    // The program concerned: its number, and its position in the project from 1.
    int program = 0;
    int position = 0;
    int earlierProgram = 0; // ReplacesEarlier: the program replaced, and its position
    int earlierPosition = 0;
    int step = 0;   // StepSendsOther
    int action = 0; // UnknownKind, KindTooWide: the action slot, from 1
    int value = 0;
    int sent = 0;
    // KindTooWide: the slot before, when its kind arrives changed too (0: it
    // does not), its kind and the kind received for it.
    int beforeAction = 0;
    int beforeValue = 0;
    int beforeSent = 0;
    TNarrowedNumber narrowed;
    TFinding finding;
};

namespace varno::projectcheck {

QList<TProjectCheck> ProjectChecks(const TProject &project,
                                   const QList<TNarrowedNumber> &narrowed = {});

} // namespace varno::projectcheck
