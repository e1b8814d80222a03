#include "Output.h"

#include <QStringList>
#include <cstdio>

QTextStream &out()
{
    static QTextStream stream(stdout);
    return stream;
}

QTextStream &err()
{
    static QTextStream stream(stderr);
    return stream;
}

void report(const QString &message)
{
    out().flush();
    // A reason on a line of its own (the system's, after a link message) is
    // part of the same diagnostic.
    for (const QString &line : message.split(QLatin1Char('\n')))
        err() << "varno-cli: " << line << '\n';
    err().flush();
}
