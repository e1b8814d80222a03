#pragma once

#include <QDate>
#include <QString>
#include <text/Language.h>

class TProject;

namespace varno::report {

// The project report handed over to a customer: the project's properties and
// comment, the timetable of one week, the clashes and problems, and every
// program with its flags, schedule and actions worded as the program panel
// words them. A complete HTML page; it needs no picture.
QString ProjectReportHtml(const TProject &project, const QDate &weekOf, text::Language language);

} // namespace varno::report
