#pragma once

#include <QDate>
#include <QList>
#include <QString>

class TProject;
class TVARNOProg;

// When the programs of a project play: their firings over a span of days, the
// firings that fall on the same minute, and what keeps a program from firing as
// its installer may expect. Programs are named by their position in the project,
// so that numbers held twice stay apart.
namespace varno::schedule {

// The years a player's clock can hold.
inline constexpr int FirstYear = 2000;
inline constexpr int LastYear = 2099;

struct Firing
{
    QDate date;
    int minuteOfDay = 0; // hour * 60 + minute
    int position = 0;    // index of the program in the project
    quint8 number = 0;
    QString title;
    bool priority = false;
    quint8 followedBy = 0; // the program a final "go to program" names; 0 for none
    bool clashes = false;  // another firing falls on the same day and minute
};

// Two or more firings on the same day and minute, as indexes into firings.
struct Clash
{
    QDate date;
    int minuteOfDay = 0;
    QList<int> firings;
};

enum class ProblemKind
{
    InactiveTimer,      // timer on, program not active
    ImpossibleDate,     // on a date, a year the player cannot hold
    DateModeOutOfRange, // a date mode above 2
    WeekDayOutOfRange,  // every week, on a day outside 1..7
    MissingGoTo,        // the list ends going to a number no program holds
};

// One program's problem; value is the year, the date mode, the weekday or the
// missing number.
struct Problem
{
    ProblemKind kind = ProblemKind::InactiveTimer;
    int position = 0;
    quint8 number = 0;
    int value = 0;
};

struct Schedule
{
    QDate from;
    int days = 0;
    QList<Firing> firings;   // by date, minute, then project order
    QList<Clash> clashes;    // in time order
    QList<Problem> problems; // in project order
};

// The firings of every active program whose timer is on, from the first day for
// the given number of days (none when days is below 1).
Schedule BuildSchedule(const TProject &project, const QDate &from, int days);

// The number a program's action list goes to at its end, or 0 when it ends
// otherwise.
quint8 FollowUpOf(const TVARNOProg &program);

// Monday of the week holding the date.
QDate WeekStart(const QDate &date);

} // namespace varno::schedule
