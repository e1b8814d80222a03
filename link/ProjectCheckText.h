#pragma once

#include <QStringList>
#include <link/ProjectCheck.h>
#include <text/Language.h>

// The words of the project checks, for varno-cli and the programmer alike:
// they belong with the other captions of the programmer's messages.

namespace varno::projectcheck {

// One line for a finding, in a language of the text tables.
QString FindingText(const TFinding &finding, text::Language language);

// The lines of the findings under a question: at most `shown` of them, then one
// that says how many more there are.
QStringList FindingLines(const QList<TFinding> &findings, text::Language language, int shown = 10);

// A check in plain English, as varno-cli's check and transmit say it. Empty for
// the transmit findings that the steps say in their own terms (shared numbers)
// or the year (impossible dates).
QString CheckText(const TProjectCheck &check);

// The English lines of every check of the project; an empty list means
// nothing to report.
QStringList CheckProject(const TProject &project, const QList<TNarrowedNumber> &narrowed = {});

// The programmer's warnings once a file is open, in a language, each empty
// when there is nothing to say: the numbers kept by their low 8 bits, the
// flags read as no, the numbers several programs bear.
QString NarrowedNumbersWarning(const QList<TProjectCheck> &checks, text::Language language);
QString FlagsReadAsNoWarning(const QList<TProjectCheck> &checks, text::Language language);
QString SharedNumbersWarning(const QList<TProjectCheck> &checks, text::Language language);

} // namespace varno::projectcheck
