#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <model/Errors.h>
#include <model/ProgList.h>

// The programs of a project as a spreadsheet: UTF-8 comma-separated values with a
// header row of column names, one row a program in project order. Importing the
// export of a project gives back records that write the same project file.
namespace varno::programscsv {

// The header row, in the order export writes it. Import takes the columns in
// any order.
const QStringList &ColumnNames();

QByteArray Export(const TProgList &programs);

// A file that cannot be imported: "file:row:column: reason", the row counting
// from the header row as 1, the column named by its header where it has one;
// "file: reason" when the whole file is concerned (row 0).
class TCsvFileError : public TVarnoError
{
public:
    TCsvFileError(const QString &fileName, int row, const QString &column, const QString &reason)
        : TVarnoError(
              row > 0 ? QStringLiteral("%1:%2:%3: %4").arg(fileName).arg(row).arg(column, reason)
                      : QStringLiteral("%1: %2").arg(fileName, reason)),
          row_(row), column_(column)
    {
    }
    int row() const { return row_; }
    const QString &column() const { return column_; }

private:
    int row_;
    QString column_;
};

// Every program of the file, or none: throws TCsvFileError at the first value
// that is not what the record holds (ranges, a calendar date, #RRGGBB, texts
// Windows-1252 can hold, numbers no other row holds, at most 255 rows, texts
// whose project file stays within MaxReadableFileSize, model/FileRead.h).
TProgList Import(const QByteArray &bytes, const QString &fileName);

// Reads a file as project files are read (model/FileRead.h: no pipe, device or
// folder, nothing above MaxReadableFileSize) and imports it. Throws TCsvFileError.
TProgList ImportFile(const QString &fileName);

// Appends the added programs to the list. An added program keeps its number
// when no program holds it yet, otherwise it takes the lowest free number.
// Go-to actions among the added programs follow the new numbers of the added
// programs they aim at; those aiming elsewhere keep their numbers.
// Returns the (old, new) numbers of those that changed. The caller makes sure
// the list has room for all of them.
QList<QPair<quint8, quint8>> AddPrograms(TProgList &programs, const TProgList &added);

} // namespace varno::programscsv
