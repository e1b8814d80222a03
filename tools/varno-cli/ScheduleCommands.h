#pragma once

#include <QString>

struct Invocation;

// schedule, report, export and import: what the programmer's schedule window,
// report and CSV commands do, without a display.
bool IsScheduleCommand(const QString &command);
int RunScheduleCommand(const Invocation &call);
