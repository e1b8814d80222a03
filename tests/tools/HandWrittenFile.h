#pragma once

// Project files written line by line, as a person or another program might
// write them: values the programmer's own save never produces.

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>

struct HandWrittenProgram
{
    qint64 number = 1;
    QByteArray priority = "no", timer = "no", active = "yes";
    qint64 weekday = 1;
    qint64 count = 1;
    QList<qint64> kinds{1, 1, 1, 1, 1, 1};
    QList<qint64> numbers{0, 0, 0, 0, 0, 0};
    QList<qint64> values{255, 255, 255, 255, 255, 255};
};

// The header takes lines 1..13; program k (from 0) starts at line 14 + 32k,
// its weekday on the 8th line of it, its kinds from the 11th.
inline QByteArray handWrittenFile(const QList<HandWrittenProgram> &programs)
{
    QByteArray text = "Group Of Program File of VARNO\r\n*****\r\nHand\r\n\r\n\r\n\r\n\r\n\r\n\r\n"
                      "0\r\n*****\r\n" +
                      QByteArray::number(programs.size()) + "\r\n*****\r\n";
    const auto line = [&text](const QByteArray &value) { text += value + "\r\n"; };
    for (const HandWrittenProgram &p : programs) {
        line(QByteArray::number(p.number));
        line(p.priority);
        line(p.timer);
        line(p.active);
        line("12");
        line("34");
        line("07/12/2026");
        line(QByteArray::number(p.weekday));
        line("0");
        line(QByteArray::number(p.count));
        for (const QList<qint64> *field : {&p.kinds, &p.numbers, &p.values})
            for (qint64 v : *field)
                line(QByteArray::number(v));
        line("title");
        line("8421376");
        line("0");
        line("*****");
    }
    return text;
}

inline void writeFile(const QString &fileName, const QByteArray &bytes)
{
    QFile file(fileName);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}
