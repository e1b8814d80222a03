#include <QRegularExpression>
#include <cmath>
#include <model/AtomicWrite.h>
#include <model/Cp1252.h>
#include <model/Errors.h>
#include <model/FileRead.h>
#include <model/ProjectFile.h>
#include <new>

namespace varno::projectfile {
namespace {

const QString kYes = QStringLiteral("yes");
const QString kNo = QStringLiteral("no");

// A text value must stay on its line: a line break inside it would shift every
// line after it.
QString oneLine(const QString &text)
{
    QString line = text;
    line.replace(QLatin1Char('\r'), QLatin1Char(' '));
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return line;
}

QString dateLine(TDateTime value)
{
    const QDate date = datetime::DatePart(value);
    QString line = QString::asprintf("%02d/%02d/%04d", date.day(), date.month(), date.year());
    if (datetime::MsecsOfDay(value) != 0) {
        const QTime time = datetime::TimePart(value);
        line += QString::asprintf(" %02d:%02d:%02d", time.hour(), time.minute(), time.second());
    }
    return line;
}

class Writer
{
public:
    void line(const QString &text) { lines_ << text; }
    void number(qint64 value) { lines_ << QString::number(value); }
    void flag(quint8 value) { lines_ << (value == 1 ? kYes : kNo); }
    void textList(const QStringList &list)
    {
        number(list.size());
        for (const QString &item : list)
            line(oneLine(item));
    }
    QByteArray bytes() const
    {
        QByteArray out;
        for (const QString &l : lines_) {
            out += cp1252::Encode(l);
            out += "\r\n";
        }
        return out;
    }

private:
    QStringList lines_;
};

void writeProgram(Writer &w, const TVARNOProg &p)
{
    w.number(p.NumOfProg);
    w.flag(p.Prioritary);
    w.flag(p.TimerOn);
    w.flag(p.Active);
    w.number(p.GetHour());
    w.number(p.GetMinute());
    w.line(dateLine(p.GetDate()));
    w.number(p.WeekDay);
    w.number(p.DateMode);
    w.number(p.ActionCount);
    for (quint8 kind : p.ActionKind)
        w.number(kind);
    for (quint8 number : p.ActionNumber)
        w.number(number);
    for (quint8 value : p.ActionValue)
        w.number(value);
    w.line(oneLine(p.Title));
    w.number(qint32(p.Color)); // a signed 32-bit colour, as files have always held it
    w.textList(p.Comment);
    w.line(QLatin1String(Separator));
}

// Reads the lines of a file one by one and turns each into the value expected
// there, or throws with the file name, the line number and what was found.
class Reader
{
public:
    // Lines are cut from the bytes one at a time: a file of millions of empty
    // lines costs no more memory than its size.
    Reader(const QByteArray &bytes, const QString &fileName, QList<TNarrowedNumber> *narrowed)
        : fileName_(fileName), narrowed_(narrowed), bytes_(bytes),
          lineCount_(int(bytes.count('\n')))
    {
        // A final line end does not start another line.
        if (!bytes.isEmpty() && !bytes.endsWith('\n'))
            ++lineCount_;
    }

    QString text(const char *what)
    {
        Q_UNUSED(what);
        return cp1252::Decode(next(what));
    }

    void expectLiteral(const char *literal, const char *what)
    {
        const QByteArray line = next(what);
        if (line.trimmed() != literal)
            fail(QStringLiteral("expected %1 \"%2\", found %3").arg(what, literal, found(line)));
    }

    // A decimal integer that fits 32 bits, as every number of the file.
    qint64 integer(const char *what)
    {
        const QByteArray line = next(what);
        bool ok = false;
        const qint64 value = line.trimmed().toLongLong(&ok, 10);
        // The conversion stops at a zero byte: "5\0xyz" is not the number 5.
        if (!ok || line.contains('\0') || value < -2147483648LL || value > 4294967295LL)
            fail(QStringLiteral("expected %1 (a whole number), found %2").arg(what, found(line)));
        return value;
    }

    quint8 low8(const char *what)
    {
        const qint64 value = integer(what);
        const auto held = quint8(value & 0xFF);
        if (narrowed_ && value != held)
            narrowed_->append({position_, QString::fromLatin1(what), value, held,
                               TNarrowedNumber::TFlag::None, QString(), program_});
        return held;
    }

    int count(const char *what)
    {
        const qint64 value = integer(what);
        if (value < 0 || value > remaining())
            fail(QStringLiteral("expected %1, found %2 but only %3 lines follow")
                     .arg(what)
                     .arg(value)
                     .arg(remaining()));
        return int(value);
    }

    // Case matters ("Yes" is no), but blanks an editor left at the end do not:
    // they would clear the flag without a word. A "Yes" is noted, so that the
    // user hears of the flag the next save writes "no".
    quint8 flag(const char *what, TNarrowedNumber::TFlag which)
    {
        const QByteArray line = next(what).trimmed();
        if (line == "yes")
            return 1;
        if (narrowed_ && line.compare("yes", Qt::CaseInsensitive) == 0)
            narrowed_->append({position_, QString::fromLatin1(what), 0, 0, which,
                               QString::fromLatin1(line), program_});
        return 0;
    }

    // The number of the program whose section is read, for the notes.
    void setProgram(quint8 number) { program_ = number; }

    QStringList textList(const char *countWhat, const char *itemWhat)
    {
        const int n = count(countWhat);
        QStringList list;
        list.reserve(n);
        for (int i = 0; i < n; ++i)
            list << text(itemWhat);
        return list;
    }

    TDateTime date(const char *what)
    {
        const QByteArray line = next(what);
        const QString s = QString::fromLatin1(line.trimmed());
        static const QRegularExpression dmy(QStringLiteral(
            R"(^(\d{1,2})/(\d{1,2})/(\d{4})(?:\s+(\d{1,2}):(\d{1,2})(?::(\d{1,2}))?)?$)"));
        static const QRegularExpression iso(QStringLiteral(
            R"(^(\d{4})-(\d{1,2})-(\d{1,2})(?:[ T](\d{1,2}):(\d{1,2})(?::(\d{1,2}))?)?$)"));
        QRegularExpressionMatch m = dmy.match(s);
        int day = 0, month = 0, year = 0;
        if (m.hasMatch()) {
            day = m.captured(1).toInt();
            month = m.captured(2).toInt();
            year = m.captured(3).toInt();
        } else if ((m = iso.match(s)).hasMatch()) {
            year = m.captured(1).toInt();
            month = m.captured(2).toInt();
            day = m.captured(3).toInt();
        } else {
            fail(QStringLiteral("expected %1 (dd/mm/yyyy, with or without hh:mm:ss, or "
                                "yyyy-mm-dd), found %2")
                     .arg(what, found(line)));
        }
        if (!m.captured(4).isEmpty() &&
            !QTime::isValid(m.captured(4).toInt(), m.captured(5).toInt(), m.captured(6).toInt()))
            fail(QStringLiteral("expected %1, found %2 whose time of day does not exist")
                     .arg(what, found(line)));
        const QDate parsed(year, month, day);
        if (!parsed.isValid() || year < 1)
            fail(QStringLiteral("expected %1, found %2 which is not a calendar date")
                     .arg(what, found(line)));
        return datetime::FromDate(parsed);
    }

    // Line number of the value read last.
    int lineNumber() const { return position_; }
    int remaining() const { return lineCount_ - position_; }

    // Whatever follows the last section must be blank: lines past it would be
    // lost silently, and destroyed by the next save.
    void expectEnd()
    {
        while (remaining() > 0) {
            const QByteArray line = next("the end of the file");
            if (!line.trimmed().isEmpty())
                fail(QStringLiteral("expected the end of the file after the last program, "
                                    "found %1")
                         .arg(found(line)));
        }
    }

    [[noreturn]] void fail(const QString &reason) const
    {
        throw TProjectFileError(fileName_, position_, reason);
    }

private:
    QByteArray next(const char *what)
    {
        if (position_ >= lineCount_) {
            ++position_;
            fail(QStringLiteral("expected %1, found the end of the file").arg(what));
        }
        qsizetype end = bytes_.indexOf('\n', offset_);
        if (end < 0)
            end = bytes_.size();
        QByteArray line = bytes_.mid(offset_, end - offset_);
        // A file whose line ends went through a faulty conversion (CR CR LF)
        // reads as written; no value can hold a CR.
        while (line.endsWith('\r'))
            line.chop(1);
        offset_ = end + 1;
        ++position_;
        return line;
    }

    static QString found(const QByteArray &line)
    {
        if (line.isEmpty())
            return QStringLiteral("an empty line");
        constexpr int kShown = 40;
        QString shown;
        // Control characters are escaped: a zero byte would cut the message, and
        // two lines that differ only by one would look the same.
        for (const QChar c : cp1252::Decode(line.left(kShown))) {
            const ushort u = c.unicode();
            if (u < 0x20 || (u >= 0x7F && u <= 0x9F))
                shown += QStringLiteral("\\x%1").arg(u, 2, 16, QLatin1Char('0'));
            else
                shown += c;
        }
        if (line.size() > kShown)
            shown += QStringLiteral("...");
        return QLatin1Char('"') + shown + QLatin1Char('"');
    }

    QString fileName_;
    QList<TNarrowedNumber> *narrowed_;
    QByteArray bytes_;
    int lineCount_;
    qsizetype offset_ = 0; // where the next line starts
    int position_ = 0;
    quint8 program_ = 0;
};

void readProgram(Reader &r, TVARNOProg &p)
{
    p.NumOfProg = r.low8("the program number");
    r.setProgram(p.NumOfProg);
    using Flag = TNarrowedNumber::TFlag;
    p.Prioritary = r.flag("the priority flag", Flag::Priority);
    p.TimerOn = r.flag("the timer flag", Flag::Timer);
    p.Active = r.flag("the activation flag", Flag::Active);
    const qint64 hour = r.integer("the hour");
    try {
        p.SetHour(int(hour));
    } catch (const TDateTimeEncodingError &) {
        r.fail(QStringLiteral("expected the hour (0 to 23), found %1").arg(hour));
    }
    const qint64 minute = r.integer("the minute");
    try {
        p.SetMinute(int(minute));
    } catch (const TDateTimeEncodingError &) {
        r.fail(QStringLiteral("expected the minute (0 to 59), found %1").arg(minute));
    }
    p.SetDate(r.date("the date"));
    p.WeekDay = r.low8("the weekday");
    p.DateMode = r.low8("the date mode");
    p.ActionCount = r.low8("the number of actions");
    for (quint8 &kind : p.ActionKind)
        kind = r.low8("an action kind");
    for (quint8 &number : p.ActionNumber)
        number = r.low8("an action number");
    for (quint8 &value : p.ActionValue)
        value = r.low8("an action value");
    p.Title = r.text("the title");
    p.Color = quint32(r.integer("the colour"));
    p.Comment = r.textList("the number of comment lines", "a comment line");
    r.expectLiteral(Separator, "the separator");
}

} // namespace

qint64 ProgramSize(const TVARNOProg &program)
{
    Writer w;
    writeProgram(w, program);
    return w.bytes().size();
}

QByteArray Serialize(const TProject &project)
{
    Writer w;
    const TVARNOGroup &g = project.Group;
    w.line(QLatin1String(Header));
    w.line(QLatin1String(Separator));
    for (const QString *field : {&g.Name, &g.Subject, &g.Author, &g.Copyright, &g.Customer,
                                 &g.CreationDate, &g.DiffusionDate})
        w.line(oneLine(*field));
    w.textList(g.Comments);
    w.line(QLatin1String(Separator));
    w.number(project.Programs.count());
    w.line(QLatin1String(Separator));
    for (const auto &program : project.Programs)
        writeProgram(w, *program);
    return w.bytes();
}

TProject Parse(const QByteArray &bytes, const QString &fileName, QList<TNarrowedNumber> *narrowed)
{
    Reader r(bytes, fileName, narrowed);
    TProject project;
    TVARNOGroup &g = project.Group;
    r.expectLiteral(Header, "the header");
    r.expectLiteral(Separator, "the separator");
    g.Name = r.text("the project name");
    g.Subject = r.text("the subject");
    g.Author = r.text("the author");
    g.Copyright = r.text("the copyright");
    g.Customer = r.text("the customer");
    g.CreationDate = r.text("the creation date");
    g.DiffusionDate = r.text("the diffusion date");
    g.Comments = r.textList("the number of comment lines", "a comment line");
    r.expectLiteral(Separator, "the separator");
    const qint64 programCount = r.integer("the number of programs");
    if (programCount < 0 || programCount > 255)
        r.fail(QStringLiteral("expected the number of programs (0 to 255), found %1")
                   .arg(programCount));
    r.expectLiteral(Separator, "the separator");

    // Programs start with the defaults and the lowest free numbers, then take
    // the numbers their sections bring, duplicates included.
    for (int i = 0; i < programCount; ++i)
        project.Programs.Add();
    for (int i = 0; i < programCount; ++i)
        readProgram(r, project.Programs.at(i));
    r.expectEnd();
    return project;
}

} // namespace varno::projectfile

void SaveProject(const QString &fileName, const TProject &project)
{
    const QByteArray bytes = varno::projectfile::Serialize(project);
    // A file the reader refuses would hold the user's programs out of reach.
    if (bytes.size() > varno::MaxReadableFileSize)
        throw TProjectFileError(fileName, 0,
                                QStringLiteral("cannot be written: the project would take %1 "
                                               "bytes, where the limit of a project file is %2 MB")
                                    .arg(bytes.size())
                                    .arg(varno::MaxReadableFileSize / (1024 * 1024)));
    QString error;
    if (!varno::WriteFileAtomically(fileName, bytes, &error))
        throw TProjectFileError(fileName, 0, QStringLiteral("cannot be written: %1").arg(error));
}

TProject LoadProject(const QString &fileName, QList<TNarrowedNumber> *narrowed)
{
    QString reason;
    const std::optional<QByteArray> bytes = varno::ReadSmallFile(fileName, &reason);
    if (!bytes)
        throw TProjectFileError(fileName, 0, reason);
    try {
        return varno::projectfile::Parse(*bytes, fileName, narrowed);
    } catch (const std::bad_alloc &) {
        throw TProjectFileError(fileName, 0, QStringLiteral("cannot be read: not enough memory"));
    }
}
