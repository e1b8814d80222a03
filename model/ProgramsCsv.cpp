#include <QHash>
#include <QRegularExpression>
#include <QStringDecoder>
#include <array>
#include <model/Cp1252.h>
#include <model/Csv.h>
#include <model/FileRead.h>
#include <model/ProgramsCsv.h>
#include <model/ProjectFile.h>
#include <new>

namespace varno::programscsv {
namespace {

constexpr int Slots = TVARNOProg::ActionSlots;

QStringList buildColumnNames()
{
    QStringList names = {QStringLiteral("number"),    QStringLiteral("priority"),
                         QStringLiteral("timer"),     QStringLiteral("active"),
                         QStringLiteral("hour"),      QStringLiteral("minute"),
                         QStringLiteral("date"),      QStringLiteral("weekday"),
                         QStringLiteral("date mode"), QStringLiteral("action count")};
    for (const char *group : {"kind", "number", "value"})
        for (int slot = 1; slot <= Slots; ++slot)
            names << QStringLiteral("%1 %2").arg(QLatin1String(group)).arg(slot);
    names << QStringLiteral("title") << QStringLiteral("colour") << QStringLiteral("comment");
    return names;
}

QString flag(quint8 value)
{
    return value == 1 ? QStringLiteral("1") : QStringLiteral("0");
}

// The date as the project file keeps it: with its time of day when it has one.
QString dateText(TDateTime value)
{
    QString text = datetime::DatePart(value).toString(Qt::ISODate);
    if (datetime::MsecsOfDay(value) != 0)
        text += QLatin1Char(' ') + datetime::TimePart(value).toString(QStringLiteral("HH:mm:ss"));
    return text;
}

QString colourText(quint32 colour)
{
    // The record holds 0x00BBGGRR.
    return QString::asprintf("#%02X%02X%02X", colour & 0xFF, (colour >> 8) & 0xFF,
                             (colour >> 16) & 0xFF);
}

QString shown(const QString &value)
{
    if (value.isEmpty())
        return QStringLiteral("an empty value");
    constexpr int kShown = 40;
    return QLatin1Char('"') + value.left(kShown) +
           (value.size() > kShown ? QStringLiteral("...\"") : QStringLiteral("\""));
}

// The values of one row, by column name, each read into what the record holds
// or failing with the row and the column.
class Row
{
public:
    Row(const QString &fileName, int row, const QHash<QString, int> &columns,
        const QStringList &fields)
        : fileName_(fileName), row_(row), columns_(columns), fields_(fields)
    {
    }

    [[noreturn]] void fail(const QString &column, const QString &reason) const
    {
        throw TCsvFileError(fileName_, row_, column, reason);
    }

    QString raw(const QString &column) const { return fields_.at(columns_.value(column)); }

    int integer(const QString &column, int low, int high, const QString &what) const
    {
        const QString value = raw(column);
        static const QRegularExpression digits(QStringLiteral("^[0-9]{1,9}$"));
        const int n = value.toInt();
        if (!digits.match(value).hasMatch() || n < low || n > high)
            fail(column, QStringLiteral("expected %1 (%2 to %3), found %4")
                             .arg(what)
                             .arg(low)
                             .arg(high)
                             .arg(shown(value)));
        return n;
    }

    quint8 byte(const QString &column, int low, int high, const QString &what) const
    {
        return quint8(integer(column, low, high, what));
    }

    quint8 flag(const QString &column) const
    {
        return byte(column, 0, 1, QStringLiteral("a flag"));
    }

    QString text(const QString &column, bool oneLine) const
    {
        QString value = raw(column);
        value.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        if (oneLine && (value.contains(QLatin1Char('\n')) || value.contains(QLatin1Char('\r'))))
            fail(column, QStringLiteral("expected one line of text, found a line break in %1")
                             .arg(shown(value)));
        for (const char32_t c : value.toUcs4()) {
            const QString character = QString::fromUcs4(&c, 1);
            if (c != U'\n' && !cp1252::CanEncode(character))
                fail(column, QStringLiteral("expected characters Windows-1252 can hold, found "
                                            "\"%1\" (U+%2)")
                                 .arg(character, QString::number(uint(c), 16)
                                                     .toUpper()
                                                     .rightJustified(4, QLatin1Char('0'))));
        }
        return value;
    }

    TDateTime date(const QString &column) const
    {
        const QString value = raw(column);
        static const QRegularExpression format(
            QStringLiteral(R"(^(\d{4})-(\d{2})-(\d{2})(?: (\d{2}):(\d{2}):(\d{2}))?$)"));
        const QRegularExpressionMatch m = format.match(value);
        const QDate date = m.hasMatch() ? QDate(m.captured(1).toInt(), m.captured(2).toInt(),
                                                m.captured(3).toInt())
                                        : QDate();
        const QTime time =
            m.captured(4).isEmpty()
                ? QTime(0, 0)
                : QTime(m.captured(4).toInt(), m.captured(5).toInt(), m.captured(6).toInt());
        if (!date.isValid() || date.year() < 1 || !time.isValid())
            fail(column, QStringLiteral("expected a calendar date as YYYY-MM-DD, found %1")
                             .arg(shown(value)));
        return datetime::FromDateTime(QDateTime(date, time));
    }

    quint32 colour(const QString &column) const
    {
        const QString value = raw(column);
        static const QRegularExpression format(QStringLiteral("^#[0-9A-Fa-f]{6}$"));
        if (!format.match(value).hasMatch())
            fail(column,
                 QStringLiteral("expected a colour as #RRGGBB, found %1").arg(shown(value)));
        const quint32 rgb = value.mid(1).toUInt(nullptr, 16);
        return ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
    }

private:
    QString fileName_;
    int row_;
    const QHash<QString, int> &columns_;
    const QStringList &fields_;
};

void readProgram(const Row &r, TVARNOProg &p)
{
    p.NumOfProg = r.byte(QStringLiteral("number"), 1, 255, QStringLiteral("a program number"));
    p.Prioritary = r.flag(QStringLiteral("priority"));
    p.TimerOn = r.flag(QStringLiteral("timer"));
    p.Active = r.flag(QStringLiteral("active"));
    p.SetHour(r.integer(QStringLiteral("hour"), 0, 23, QStringLiteral("an hour")));
    p.SetMinute(r.integer(QStringLiteral("minute"), 0, 59, QStringLiteral("a minute")));
    p.Date = r.date(QStringLiteral("date"));
    p.WeekDay = r.byte(QStringLiteral("weekday"), 1, 7, QStringLiteral("a weekday"));
    p.DateMode = r.byte(QStringLiteral("date mode"), 0, 2, QStringLiteral("a date mode"));
    p.ActionCount =
        r.byte(QStringLiteral("action count"), 0, Slots, QStringLiteral("a number of actions"));
    for (int slot = 0; slot < Slots; ++slot) {
        const QString n = QString::number(slot + 1);
        p.ActionKind[std::size_t(slot)] =
            r.byte(QStringLiteral("kind ") + n, 0, 15, QStringLiteral("an action kind"));
        p.ActionNumber[std::size_t(slot)] =
            r.byte(QStringLiteral("number ") + n, 0, 255, QStringLiteral("an action number"));
        p.ActionValue[std::size_t(slot)] =
            r.byte(QStringLiteral("value ") + n, 0, 255, QStringLiteral("an action value"));
    }
    p.Title = r.text(QStringLiteral("title"), true);
    p.Color = r.colour(QStringLiteral("colour"));
    const QString comment = r.text(QStringLiteral("comment"), false);
    p.Comment = comment.isEmpty() ? QStringList() : comment.split(QLatin1Char('\n'));
}

QString decodeUtf8(const QByteArray &bytes, const QString &fileName)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QList<QByteArray> lines = bytes.split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QStringDecoder check(QStringDecoder::Utf8);
        const QString decoded = check.decode(lines[i]);
        if (check.hasError())
            throw TCsvFileError(fileName, int(i + 1), QStringLiteral("1"),
                                QStringLiteral("expected UTF-8 text, found bytes that are not "
                                               "(line %1 of the file)")
                                    .arg(i + 1));
    }
    QString text = decoder.decode(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

// Names the longer of the two texts of the row that takes the project file
// past what a load accepts.
[[noreturn]] void failTooLarge(const Row &row, const TVARNOProg &p, qint64 fileSize)
{
    qint64 commentSize = 0;
    for (const QString &line : p.Comment)
        commentSize += line.size() + 2;
    const QString limit = QStringLiteral("expected programs whose project file holds at most "
                                         "%1 MB, found ")
                              .arg(MaxReadableFileSize / (1024 * 1024));
    if (commentSize > p.Title.size())
        row.fail(QStringLiteral("comment"),
                 limit + QStringLiteral("a comment of %1 lines that takes it to %2 bytes")
                             .arg(p.Comment.size())
                             .arg(fileSize));
    row.fail(QStringLiteral("title"),
             limit + QStringLiteral("a title of %1 characters that takes it to %2 bytes")
                         .arg(p.Title.size())
                         .arg(fileSize));
}

} // namespace

const QStringList &ColumnNames()
{
    static const QStringList names = buildColumnNames();
    return names;
}

QByteArray Export(const TProgList &programs)
{
    QString out = csv::FormatRecord(ColumnNames());
    for (const auto &program : programs) {
        const TVARNOProg &p = *program;
        QStringList row = {QString::number(p.NumOfProg),
                           flag(p.Prioritary),
                           flag(p.TimerOn),
                           flag(p.Active),
                           QString::number(p.GetHour()),
                           QString::number(p.GetMinute()),
                           dateText(p.GetDate()),
                           QString::number(p.WeekDay),
                           QString::number(p.DateMode),
                           QString::number(p.ActionCount)};
        for (const auto *values : {&p.ActionKind, &p.ActionNumber, &p.ActionValue})
            for (quint8 v : *values)
                row << QString::number(v);
        row << p.Title << colourText(p.Color) << p.Comment.join(QLatin1Char('\n'));
        out += csv::FormatRecord(row);
    }
    return out.toUtf8();
}

TProgList Import(const QByteArray &bytes, const QString &fileName)
{
    QList<QStringList> records;
    try {
        records = csv::Parse(decodeUtf8(bytes, fileName));
    } catch (const csv::TCsvSyntaxError &e) {
        throw TCsvFileError(fileName, e.row(), QString::number(e.column()), e.reason());
    }
    // Blank lines carry no program.
    records.removeIf([](const QStringList &r) { return r.size() == 1 && r.first().isEmpty(); });
    if (records.isEmpty())
        throw TCsvFileError(fileName, 1, QStringLiteral("1"),
                            QStringLiteral("expected a header row, found an empty file"));

    const QStringList &header = records.first();
    QHash<QString, int> columns;
    for (qsizetype c = 0; c < header.size(); ++c) {
        const QString name = header[c].trimmed();
        if (!ColumnNames().contains(name) || columns.contains(name))
            throw TCsvFileError(fileName, 1, QString::number(c + 1),
                                QStringLiteral("expected a column name of the export, each used "
                                               "once, found %1")
                                    .arg(shown(name)));
        columns.insert(name, int(c));
    }
    for (const QString &name : ColumnNames())
        if (!columns.contains(name))
            throw TCsvFileError(
                fileName, 1, name,
                QStringLiteral("expected a column named \"%1\", found none").arg(name));

    TProgList programs;
    // What the project file of these programs takes so far: a project file the
    // reader would refuse must not come out of an import.
    qint64 fileSize = projectfile::Serialize(TProject()).size();
    for (qsizetype r = 1; r < records.size(); ++r) {
        const QStringList &fields = records[r];
        const int rowNumber = int(r + 1);
        if (fields.size() < header.size())
            throw TCsvFileError(fileName, rowNumber, header[fields.size()].trimmed(),
                                QStringLiteral("expected a value, found the end of the row"));
        if (fields.size() > header.size())
            throw TCsvFileError(fileName, rowNumber, QString::number(header.size() + 1),
                                QStringLiteral("expected the end of the row, found %1")
                                    .arg(shown(fields[header.size()])));
        if (programs.isFull())
            throw TCsvFileError(fileName, rowNumber, QStringLiteral("1"),
                                QStringLiteral("expected at most %1 programs, found another row")
                                    .arg(TProgList::MaxPrograms));
        const Row row(fileName, rowNumber, columns, fields);
        TVARNOProg record;
        readProgram(row, record);
        if (programs.ProgramNumberExists(record.NumOfProg))
            row.fail(QStringLiteral("number"),
                     QStringLiteral("expected a program number no earlier row holds, found %1")
                         .arg(record.NumOfProg));
        fileSize += projectfile::ProgramSize(record);
        if (fileSize > MaxReadableFileSize)
            failTooLarge(row, record, fileSize);
        *programs.Add() = record;
    }
    return programs;
}

TProgList ImportFile(const QString &fileName)
{
    // Read as a project file is: a pipe or a device would be read for ever.
    QString reason;
    const std::optional<QByteArray> bytes = ReadSmallFile(fileName, &reason);
    if (!bytes)
        throw TCsvFileError(fileName, 0, QString(), reason);
    try {
        return Import(*bytes, fileName);
    } catch (const std::bad_alloc &) {
        throw TCsvFileError(fileName, 0, QString(),
                            QStringLiteral("cannot be read: not enough memory"));
    }
}

QList<QPair<quint8, quint8>> AddPrograms(TProgList &programs, const TProgList &added)
{
    // The numbers the added programs bring are theirs before any renumbering,
    // so that an early renumbered program does not take a later one's number.
    QList<bool> used(256, false);
    for (const auto &p : programs)
        used[p->NumOfProg] = true;
    QList<bool> keeps;
    for (const auto &p : added) {
        keeps << !used[p->NumOfProg];
        used[p->NumOfProg] = true;
    }
    QList<QPair<quint8, quint8>> renumbered;
    QList<TVARNOProg *> placed;
    for (qsizetype i = 0; i < added.count(); ++i) {
        TVARNOProg *p = programs.Add();
        if (!p)
            break;
        *p = added.at(int(i));
        placed << p;
        if (keeps[i])
            continue;
        quint8 lowest = 1;
        while (used[lowest] && lowest < TProgList::MaxPrograms)
            ++lowest;
        used[lowest] = true;
        renumbered << qMakePair(p->NumOfProg, lowest);
        p->NumOfProg = lowest;
    }
    // A chain of added programs still goes from one to the next under their
    // new numbers; a go-to aimed at a program outside them keeps its number.
    std::array<int, 256> moved;
    moved.fill(-1);
    for (const auto &[from, to] : renumbered)
        moved[from] = to;
    for (TVARNOProg *p : placed) {
        for (std::size_t slot = 0; slot < p->ActionKind.size(); ++slot) {
            const int target = moved[p->ActionNumber[slot]];
            if (p->ActionKind[slot] == akGoToProgram && target >= 0)
                p->ActionNumber[slot] = quint8(target);
        }
    }
    return renumbered;
}

} // namespace varno::programscsv
