#include "Output.h"

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
    err() << "varno-cli: " << message << '\n';
    err().flush();
}
