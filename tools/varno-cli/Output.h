#pragma once

#include <QTextStream>

// Standard output and standard error of the companion, both UTF-8.
QTextStream &out();
QTextStream &err();

enum ExitCode
{
    ExitOk = 0,
    ExitFailed = 1, // the file did not load, or verify found differences
    ExitUsage = 2,
    ExitLink = 3, // the player could not be reached or did not answer
};
