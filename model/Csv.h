#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <model/Errors.h>

// Comma-separated values as RFC 4180 writes them: fields separated by commas,
// records ended by CR LF; a field holding a comma, a quote or a line break is
// put in quotes, its quotes doubled. Reading also takes LF-only line ends and a
// missing final line end.
namespace varno::csv {

// A record as one line of text, CR LF included.
QString FormatRecord(const QStringList &fields);

// A file that does not follow the format. row counts records from 1 and column
// counts fields from 1, both at the place where reading stopped.
class TCsvSyntaxError : public TVarnoError
{
public:
    TCsvSyntaxError(int row, int column, const QString &reason)
        : TVarnoError(QStringLiteral("%1:%2: %3").arg(row).arg(column).arg(reason)), row_(row),
          column_(column), reason_(reason)
    {
    }
    int row() const { return row_; }
    int column() const { return column_; }
    const QString &reason() const { return reason_; }

private:
    int row_;
    int column_;
    QString reason_;
};

// Every record of the text. Throws TCsvSyntaxError.
QList<QStringList> Parse(const QString &text);

} // namespace varno::csv
