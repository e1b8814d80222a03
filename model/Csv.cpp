#include <model/Csv.h>

namespace varno::csv {

QString FormatRecord(const QStringList &fields)
{
    QString line;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            line += QLatin1Char(',');
        const QString &field = fields[i];
        const bool quoted = field.contains(QLatin1Char(',')) || field.contains(QLatin1Char('"')) ||
                            field.contains(QLatin1Char('\r')) || field.contains(QLatin1Char('\n'));
        if (!quoted) {
            line += field;
            continue;
        }
        QString escaped = field;
        escaped.replace(QLatin1Char('"'), QLatin1String("\"\""));
        line += QLatin1Char('"') + escaped + QLatin1Char('"');
    }
    return line + QLatin1String("\r\n");
}

QList<QStringList> Parse(const QString &text)
{
    QList<QStringList> records;
    QStringList record;
    QString field;
    qsizetype i = 0;
    const qsizetype n = text.size();
    const auto fail = [&](const QString &reason) {
        throw TCsvSyntaxError(int(records.size() + 1), int(record.size() + 1), reason);
    };
    const auto atLineEnd = [&](qsizetype at) {
        return text[at] == QLatin1Char('\n') ||
               (text[at] == QLatin1Char('\r') && at + 1 < n && text[at + 1] == QLatin1Char('\n'));
    };
    const auto endRecord = [&]() {
        record << field;
        field.clear();
        records << record;
        record.clear();
    };

    while (i < n) {
        if (text[i] == QLatin1Char('"')) {
            // A quoted field runs to the quote that is not doubled.
            ++i;
            for (;;) {
                if (i >= n)
                    fail(QStringLiteral("expected a closing quote, found the end of the file"));
                if (text[i] == QLatin1Char('"')) {
                    if (i + 1 < n && text[i + 1] == QLatin1Char('"')) {
                        field += QLatin1Char('"');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                field += text[i++];
            }
            if (i < n && text[i] != QLatin1Char(',') && !atLineEnd(i))
                fail(QStringLiteral("expected a comma or the end of the row after a closing "
                                    "quote, found \"%1\"")
                         .arg(text[i]));
        } else {
            while (i < n && text[i] != QLatin1Char(',') && !atLineEnd(i)) {
                if (text[i] == QLatin1Char('"'))
                    fail(QStringLiteral("expected a field with a quote to be in quotes, found "
                                        "a quote inside \"%1\"")
                             .arg(field));
                field += text[i++];
            }
        }
        if (i >= n) {
            endRecord();
            break;
        }
        if (text[i] == QLatin1Char(',')) {
            record << field;
            field.clear();
            ++i;
            if (i >= n)
                endRecord();
            continue;
        }
        i += text[i] == QLatin1Char('\r') ? 2 : 1;
        endRecord();
    }
    return records;
}

} // namespace varno::csv
