#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtPrinters.h>
#include <chrono>
#include <gtest/gtest.h>
#include <model/Clock.h>
#include <model/Csv.h>
#include <model/FileRead.h>
#include <model/ProgramsCsv.h>
#include <model/ProjectFile.h>
#include <thread>
#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

using namespace varno;
using programscsv::TCsvFileError;

const QDateTime kNow(QDate(2026, 12, 7), QTime(12, 34, 56));

// ---- The reader and writer of comma-separated values ----

struct ReadCase
{
    const char *name;
    QString text;
    QList<QStringList> records;
};

class CsvRead : public ::testing::TestWithParam<ReadCase>
{
};

TEST_P(CsvRead, givesEveryRecordAndField)
{
    EXPECT_EQ(csv::Parse(GetParam().text), GetParam().records);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, CsvRead,
    ::testing::Values(ReadCase{"plainWithCrLf", "a,b\r\nc,d\r\n", {{"a", "b"}, {"c", "d"}}},
                      ReadCase{"lfOnlyAndNoFinalLineEnd", "a,b\nc,d", {{"a", "b"}, {"c", "d"}}},
                      ReadCase{"emptyFieldsAndTrailingComma", ",x,\r\n", {{"", "x", ""}}},
                      ReadCase{"quotedCommaAndDoubledQuotes",
                               "\"a,b\",\"say \"\"hi\"\"\",\"\"\r\n",
                               {{"a,b", "say \"hi\"", ""}}},
                      ReadCase{"lineBreaksInsideQuotes",
                               "\"one\r\ntwo\nthree\",z\r\nnext\r\n",
                               {{"one\r\ntwo\nthree", "z"}, {"next"}}},
                      ReadCase{"loneCarriageReturnIsText", "a\rb,c\r\n", {{"a\rb", "c"}}}),
    [](const auto &info) { return std::string(info.param.name); });

struct SyntaxCase
{
    const char *name;
    QString text;
    int row;
    int column;
};

class CsvSyntax : public ::testing::TestWithParam<SyntaxCase>
{
};

TEST_P(CsvSyntax, failsWhereReadingStopped)
{
    const SyntaxCase &c = GetParam();
    try {
        csv::Parse(c.text);
        FAIL() << "no error for " << c.name;
    } catch (const csv::TCsvSyntaxError &e) {
        EXPECT_EQ(e.row(), c.row);
        EXPECT_EQ(e.column(), c.column);
        EXPECT_TRUE(e.reason().startsWith("expected ")) << e.reason();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Faults, CsvSyntax,
    ::testing::Values(SyntaxCase{"unclosedQuote", "a,b\r\nc,\"open\r\nstill", 2, 2},
                      SyntaxCase{"textAfterClosingQuote", "a,\"b\"x,c\r\n", 1, 2},
                      SyntaxCase{"quoteInsideUnquotedField", "a\r\nb,c\"d\r\n", 2, 2}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(CsvWrite, readsBackWhateverItWrites)
{
    QRandomGenerator random(1234);
    const QString alphabet = QStringLiteral("ab ,\"\r\n\u00e9;");
    for (int round = 0; round < 200; ++round) {
        QList<QStringList> records;
        QString text;
        const int rows = 1 + random.bounded(4);
        for (int r = 0; r < rows; ++r) {
            QStringList fields;
            const int n = 1 + random.bounded(5);
            for (int f = 0; f < n; ++f) {
                QString field;
                const int length = random.bounded(6);
                for (int k = 0; k < length; ++k)
                    field += alphabet[random.bounded(int(alphabet.size()))];
                fields << field;
            }
            // A record of one empty field is a blank line, which reads back as such.
            records << fields;
            text += csv::FormatRecord(fields);
        }
        ASSERT_EQ(csv::Parse(text), records) << text.toStdString();
    }
}

// ---- Programs as rows ----

QByteArray withoutPrograms(const TProject &project, const TProgList &programs)
{
    TProject copy;
    copy.Group = project.Group;
    for (const auto &p : programs)
        *copy.Programs.Add() = *p;
    return projectfile::Serialize(copy);
}

void expectRoundTrip(const TProject &project)
{
    const QByteArray csvBytes = programscsv::Export(project.Programs);
    const TProgList back = programscsv::Import(csvBytes, QStringLiteral("p.csv"));
    EXPECT_EQ(withoutPrograms(project, back), projectfile::Serialize(project));
    EXPECT_EQ(programscsv::Export(back), csvBytes);
}

TEST(ProgramsCsv, roundTripOfTheSampleProjects)
{
    const QDir samples(QStringLiteral(VARNO_SAMPLE_PROJECTS));
    const QStringList files = samples.entryList({QStringLiteral("*.prg")});
    ASSERT_GE(files.size(), 3);
    for (const QString &name : files) {
        SCOPED_TRACE(name.toStdString());
        expectRoundTrip(LoadProject(samples.filePath(name)));
    }
}

TEST(ProgramsCsv, roundTripOfARandomProject)
{
    varno::ScopedFixedClock clock{kNow};
    QRandomGenerator random(20261207);
    TProject project;
    const QString texts = QStringLiteral("aZ ,;\"'\u00e9\u20ac\u00ff\u0152#\t");
    const auto randomText = [&](int length) {
        QString s;
        for (int k = 0; k < length; ++k)
            s += texts[random.bounded(int(texts.size()))];
        return s;
    };
    for (int i = 0; i < 255; ++i) {
        TVARNOProg &p = *project.Programs.Add();
        p.NumOfProg = quint8(255 - i);
        p.Prioritary = quint8(random.bounded(2));
        p.TimerOn = quint8(random.bounded(2));
        p.Active = quint8(random.bounded(2));
        p.SetHour(random.bounded(24));
        p.SetMinute(random.bounded(60));
        // Half the records keep their time of creation in the date, as new ones do.
        if (random.bounded(2))
            p.SetDate(datetime::FromDate(
                QDate(1990 + random.bounded(120), 1, 1).addDays(random.bounded(366))));
        p.WeekDay = quint8(1 + random.bounded(7));
        p.DateMode = quint8(random.bounded(3));
        p.ActionCount = quint8(random.bounded(7));
        for (int s = 0; s < TVARNOProg::ActionSlots; ++s) {
            p.ActionKind[std::size_t(s)] = quint8(random.bounded(16));
            p.ActionNumber[std::size_t(s)] = quint8(random.bounded(256));
            p.ActionValue[std::size_t(s)] = quint8(random.bounded(256));
        }
        p.Title = randomText(random.bounded(30));
        p.Color = random.bounded(0x1000000);
        p.Comment.clear();
        const int lines = random.bounded(4);
        for (int l = 0; l < lines; ++l)
            p.Comment << randomText(1 + random.bounded(20));
    }
    expectRoundTrip(project);
}

// One cell of a valid export replaced, or the file changed as a whole.
struct ImportCase
{
    const char *name;
    int row; // counting the header row as 1
    QString column;
    QString value; // the new cell
    QString expected;
};

class ProgramsCsvImport : public ::testing::TestWithParam<ImportCase>
{
protected:
    varno::ScopedFixedClock clock{kNow};
};

QByteArray twoProgramsWith(int row, const QString &column, const QString &value)
{
    TProgList programs;
    programs.Add();
    programs.Add()->Title = QStringLiteral("second");
    QList<QStringList> records = csv::Parse(QString::fromUtf8(programscsv::Export(programs)));
    const qsizetype c = programscsv::ColumnNames().indexOf(column);
    if (c >= 0)
        records[row - 1][c] = value;
    QString text;
    for (const QStringList &r : records)
        text += csv::FormatRecord(r);
    return text.toUtf8();
}

TEST_P(ProgramsCsvImport, namesTheRowAndColumnOfTheFirstFault)
{
    const ImportCase &c = GetParam();
    try {
        programscsv::Import(twoProgramsWith(c.row, c.column, c.value), QStringLiteral("in.csv"));
        FAIL() << "imported";
    } catch (const TCsvFileError &e) {
        EXPECT_EQ(e.message(),
                  QStringLiteral("in.csv:%1:%2: %3").arg(c.row).arg(c.column, c.expected));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Values, ProgramsCsvImport,
    ::testing::Values(
        ImportCase{"hourOutOfRange", 3, "hour", "24", "expected an hour (0 to 23), found \"24\""},
        ImportCase{"notANumber", 2, "kind 4", "-1",
                   "expected an action kind (0 to 15), found \"-1\""},
        ImportCase{"dateModeOutOfRange", 2, "date mode", "3",
                   "expected a date mode (0 to 2), found \"3\""},
        ImportCase{"flagOutOfRange", 3, "timer", "yes", "expected a flag (0 to 1), found \"yes\""},
        ImportCase{"noSuchDate", 3, "date", "2027-02-29",
                   "expected a calendar date as YYYY-MM-DD, found \"2027-02-29\""},
        ImportCase{"colourName", 2, "colour", "teal",
                   "expected a colour as #RRGGBB, found \"teal\""},
        ImportCase{"titleBeyondWindows1252", 3, "title", "Caf\u00e9 \u2603",
                   "expected characters Windows-1252 can hold, found \"\u2603\" (U+2603)"},
        ImportCase{"commentBeyondWindows1252", 2, "comment", "ok\n\U0001F600",
                   "expected characters Windows-1252 can hold, found \"\U0001F600\" (U+1F600)"},
        ImportCase{"titleOnTwoLines", 2, "title", "a\nb",
                   "expected one line of text, found a line break in \"a\nb\""},
        ImportCase{"numberHeldTwice", 3, "number", "1",
                   "expected a program number no earlier row holds, found 1"},
        ImportCase{"numberZero", 2, "number", "0",
                   "expected a program number (1 to 255), found \"0\""},
        ImportCase{"weekdayZero", 2, "weekday", "0", "expected a weekday (1 to 7), found \"0\""},
        ImportCase{"weekdayEight", 3, "weekday", "8", "expected a weekday (1 to 7), found \"8\""}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(ProgramsCsv, fileFaultsNameTheirRowAndColumn)
{
    const QByteArray good = twoProgramsWith(1, QString(), QString());
    const qsizetype secondRow = good.indexOf("\r\n") + 2;
    const qsizetype thirdRow = good.indexOf("\r\n", secondRow) + 2;
    const struct
    {
        QByteArray bytes;
        QString message;
    } cases[] = {
        // The third row loses its last column.
        {good.left(good.lastIndexOf(',')) + "\r\n",
         "in.csv:3:comment: expected a value, found the end of the row"},
        {good.left(thirdRow) + "\"1\"x" + good.mid(thirdRow),
         "in.csv:3:1: expected a comma or the end of the row after a closing quote, found \"x\""},
        {good.left(thirdRow - 2) + ",extra" + good.mid(thirdRow - 2),
         "in.csv:2:32: expected the end of the row, found \"extra\""},
        {QByteArray(good).replace("colour", "color"),
         "in.csv:1:30: expected a column name of the export, each used once, found \"color\""},
        {QByteArray(good).replace(",colour,", ","),
         "in.csv:1:colour: expected a column named \"colour\", found none"},
        {good.left(secondRow) + "\xff" + good.mid(secondRow),
         "in.csv:2:1: expected UTF-8 text, found bytes that are not (line 2 of the file)"},
        {QByteArray(), "in.csv:1:1: expected a header row, found an empty file"},
    };
    for (const auto &c : cases) {
        try {
            programscsv::Import(c.bytes, QStringLiteral("in.csv"));
            ADD_FAILURE() << "imported " << c.message.toStdString();
        } catch (const TCsvFileError &e) {
            EXPECT_EQ(e.message(), c.message);
        }
    }
}

#ifdef Q_OS_UNIX // pipes and sparse files as POSIX makes them
// A file to import is read as a project file is: a pipe would be read for
// ever, a device or a huge file would fill the memory; and rows are refused
// whose project file no load would take back.
TEST(ProgramsCsv, inputsThatWouldExhaustTheMachineOrMakeAnUnreadableFileAreRefused)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath("pipe.csv");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    // A writer that goes away after a while, so that a reader waiting on the
    // pipe fails the test instead of hanging it.
    const int writer = ::open(QFile::encodeName(fifo).constData(), O_RDWR | O_NONBLOCK);
    ASSERT_GE(writer, 0);
    std::thread closer([writer] {
        std::this_thread::sleep_for(std::chrono::seconds(1));
        ::close(writer);
    });
    QFile huge(dir.filePath("huge.csv"));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
    ASSERT_TRUE(huge.resize(MaxReadableFileSize + 1)); // sparse: no disk used
    huge.close();
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.csv"));

    const QString limit = "expected programs whose project file holds at most 16 MB, found ";
    const int half = int(MaxReadableFileSize / 2);
    const struct
    {
        QString file;   // read from the disk, or
        QByteArray csv; // imported from memory
        QString message;
    } cases[] = {
        {huge.fileName(),
         {},
         huge.fileName() + ": is too large: 16777217 bytes, where the limit is 16 MB"},
        {fifo, {}, fifo + ": cannot be opened: it is a device or a pipe, not a file"},
        {"/dev/zero", {}, "/dev/zero: cannot be opened: it is a device or a pipe, not a file"},
        {dir.filePath("folder.csv"),
         {},
         dir.filePath("folder.csv") + ": cannot be opened: it is a folder, not a file"},
        // Each title alone fits; the second takes the file past the limit.
        {{},
         twoProgramsWith(2, "title", QString(half, 't')).replace("second", QByteArray(half, 's')),
         "in.csv:3:title: " + limit + QStringLiteral("a title of %1 characters").arg(half)},
        {{},
         twoProgramsWith(2, "comment", QString(2 * half, 'c') + "\nend"),
         "in.csv:2:comment: " + limit + "a comment of 2 lines"},
    };
    for (const auto &c : cases) {
        try {
            if (c.file.isEmpty())
                programscsv::Import(c.csv, QStringLiteral("in.csv"));
            else
                programscsv::ImportFile(c.file);
            ADD_FAILURE() << "imported " << c.message.toStdString();
        } catch (const TCsvFileError &e) {
            EXPECT_TRUE(e.message().startsWith(c.message)) << e.message().left(300).toStdString();
        }
    }
    closer.join();
}
#endif // Q_OS_UNIX

TEST(ProgramsCsv, aFileThatCannotBeReadIsNamed)
{
    try {
        programscsv::ImportFile(QStringLiteral("/nonexistent/in.csv"));
        ADD_FAILURE() << "imported";
    } catch (const TCsvFileError &e) {
        EXPECT_TRUE(e.message().startsWith("/nonexistent/in.csv: cannot be opened: "))
            << e.message();
    }
}

TEST(ProgramsCsv, addedProgramsKeepFreeNumbersAndTakeTheLowestOthers)
{
    varno::ScopedFixedClock clock{kNow};
    TProgList current;
    for (quint8 n : {1, 2, 5})
        current.Add()->NumOfProg = n;
    TProgList added;
    for (quint8 n : {5, 3, 1, 4})
        added.Add()->NumOfProg = n;
    const auto changed = programscsv::AddPrograms(current, added);
    QList<int> numbers;
    for (const auto &p : current)
        numbers << p->NumOfProg;
    // 3 and 4 are free and kept; 5 and 1 take 6 and 7, the lowest numbers left.
    EXPECT_EQ(numbers, QList<int>({1, 2, 5, 6, 3, 7, 4}));
    EXPECT_EQ(changed, (QList<QPair<quint8, quint8>>{{5, 6}, {1, 7}}));
}

} // namespace

TEST(ProgramsCsv, addedGoToActionsFollowTheAddedProgramsTheyAimAt)
{
    struct Case
    {
        const char *why;
        quint8 slot;
        quint8 kind;
        quint8 target;
        quint8 expected;
    };
    // Present: 1, 2, 5. Added: 1 and 2 (they become 3 and 4) and 7 (kept).
    const Case cases[] = {
        {"to the other added program", 0, akGoToProgram, 2, 4},
        {"to itself", 0, akGoToProgram, 1, 3},
        {"in a later slot", 3, akGoToProgram, 2, 4},
        {"to a present program the set does not hold", 0, akGoToProgram, 5, 5},
        {"to an added program that kept its number", 0, akGoToProgram, 7, 7},
        {"to no program", 0, akGoToProgram, 9, 9},
        {"not a go-to", 0, akDirectory, 2, 2},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        TProgList current;
        for (quint8 n : {1, 2, 5})
            current.Add()->NumOfProg = n;
        TProgList added;
        for (quint8 n : {1, 2, 7})
            added.Add()->NumOfProg = n;
        added.at(0).ActionKind[c.slot] = c.kind;
        added.at(0).ActionNumber[c.slot] = c.target;
        programscsv::AddPrograms(current, added);
        ASSERT_EQ(current.count(), 6);
        EXPECT_EQ(current.at(3).NumOfProg, 3);
        EXPECT_EQ(current.at(3).ActionNumber[c.slot], c.expected);
        // The programs that were there are left alone.
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(current.at(i).ActionNumber, (std::array<quint8, 6>{}));
    }
}
