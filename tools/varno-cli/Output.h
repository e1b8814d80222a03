#pragma once

#include <QString>
#include <QTextStream>

// Standard output and standard error of the companion, both UTF-8. Results go
// to standard output, progress and diagnostics to standard error.
QTextStream &out();
QTextStream &err();

// A diagnostic on standard error, "varno-cli: " before each of its lines,
// written at once so that it keeps its place among the progress lines and the
// results.
void report(const QString &message);

enum ExitCode
{
    ExitOk = 0,
    ExitFailed = 1, // the file did not load or could not be written, or verify found differences
    ExitUsage = 2,
    ExitLink = 3, // the player could not be reached or did not answer
};
