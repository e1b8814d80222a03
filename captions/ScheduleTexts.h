#pragma once

#include <QString>
#include <model/Schedule.h>
#include <text/Language.h>

// The schedule's findings as the user reads them, in a given language.
namespace varno::schedule {

QString TimeText(int minuteOfDay); // "08:05"

// "Program 4: the player cannot hold the year 1999 (2000 to 2099)"
QString DescribeProblem(const Problem &problem, text::Language language);

// "Clash on 08/12/2026 at 08:00: 1, 2 (priority)"
QString DescribeClash(const Schedule &schedule, const Clash &clash, text::Language language);

// The clashes, then the problems.
QStringList DescribeAll(const Schedule &schedule, text::Language language);

} // namespace varno::schedule
