#pragma once

#include <QString>
#include <text/Language.h>

class TVARNOProg;

// The one-line schedule of a program in its compact row: "Date : 07/05/2026 -
// At : 09:05", "Every day - At : 08:30", "Every : Sunday - At : 22:00", or "..."
// when the timer is off.
QString ScheduleSummary(const TVARNOProg &program, text::Language language);
