#pragma once

// Lets GoogleTest print Qt values in failure messages.

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>
#include <QTime>
#include <ostream>

inline std::ostream &operator<<(std::ostream &os, const QString &s)
{
    return os << '"' << s.toStdString() << '"';
}

inline std::ostream &operator<<(std::ostream &os, const QByteArray &b)
{
    return os << b.toStdString();
}

inline void PrintTo(const QString &s, std::ostream *os)
{
    *os << s;
}

inline void PrintTo(const QByteArray &b, std::ostream *os)
{
    *os << "QByteArray(" << b.size() << ": " << b.toHex(' ').toStdString() << ")";
}

inline void PrintTo(const QStringList &l, std::ostream *os)
{
    *os << "QStringList(" << l.join(QStringLiteral("|")) << ")";
}

inline void PrintTo(const QDate &d, std::ostream *os)
{
    *os << d.toString(Qt::ISODate).toStdString();
}

inline void PrintTo(const QTime &t, std::ostream *os)
{
    *os << t.toString(Qt::ISODateWithMs).toStdString();
}
