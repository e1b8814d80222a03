#include <DiskFull.h>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtPrinters.h>
#include <SmallFileSystem.h>
#include <chrono>
#include <gtest/gtest.h>
#include <model/AtomicWrite.h>
#include <model/Clock.h>
#include <model/Errors.h>
#include <model/FileRead.h>
#include <model/PreviousVersion.h>
#include <model/ProjectFile.h>
#include <model/ProjectRecovery.h>
#include <sys/stat.h>
#include <thread>
#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

using varno::projectfile::Parse;
using varno::projectfile::Serialize;

const QDateTime kNow(QDate(2026, 12, 7), QTime(12, 34, 56));

QByteArray crlf(const QStringList &lines)
{
    return lines.join("\r\n").toLatin1() + "\r\n";
}

const QStringList kEmptyProjectLines = {
    "Group Of Program File of VARNO",
    "*****",
    "New Project",
    "",
    "",
    "",
    "",
    "",
    "",
    "1",
    "...",
    "*****",
    "0",
    "*****",
};

QStringList defaultProgramLines(const QString &number, const QString &dateLine)
{
    return QStringList{number, "no", "no", "yes", "12", "34", dateLine, "1", "0", "1"} +
           QStringList(6, "1") + QStringList(6, "0") + QStringList(6, "255") +
           QStringList{"...", "8421376", "1", "...", "*****"};
}

class ProjectFile : public ::testing::Test
{
protected:
    varno::ScopedFixedClock clock{kNow};
    QTemporaryDir dir;

    QString path(const QString &name) const { return dir.filePath(name); }

    QString write(const QString &name, const QByteArray &bytes) const
    {
        QFile f(path(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return f.fileName();
    }

    static QByteArray read(const QString &file)
    {
        QFile f(file);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return f.readAll();
    }

    // Line number of the error a parse reports, 0 when it succeeds.
    static int errorLine(const QByteArray &bytes)
    {
        try {
            Parse(bytes, "test.prg");
        } catch (const TProjectFileError &e) {
            return e.line();
        }
        return 0;
    }
};

TEST_F(ProjectFile, emptyProjectIsFourteenLines)
{
    TProject project;
    EXPECT_EQ(Serialize(project), crlf(kEmptyProjectLines));
}

TEST_F(ProjectFile, defaultProgramAddsThirtyThreeLines)
{
    TProject project;
    project.Programs.Add();
    const QStringList expected = kEmptyProjectLines.mid(0, 12) + QStringList{"1", "*****"} +
                                 defaultProgramLines("1", "07/12/2026 12:34:56");
    EXPECT_EQ(defaultProgramLines("1", "x").size(), 33);
    EXPECT_EQ(Serialize(project), crlf(expected));
}

TEST_F(ProjectFile, pureDateIsWrittenWithoutTime)
{
    TProject project;
    TVARNOProg *p = project.Programs.Add();
    p->SetDate(varno::datetime::EncodeDate(2024, 2, 9));
    const QList<QByteArray> lines = Serialize(project).split('\n');
    EXPECT_EQ(lines.at(14 + 6), "09/02/2024\r");
}

TEST_F(ProjectFile, everyFieldRoundTrips)
{
    TProject project;
    TVARNOGroup &g = project.Group;
    g.Name = QStringLiteral("Gare de Lyon – été");
    g.Subject = "Announcements";
    g.Author = QStringLiteral("Núñez");
    g.Copyright = "(c) 2026";
    g.Customer = "Station";
    g.CreationDate = "1st of May";
    g.DiffusionDate = "";
    g.Comments = QStringList{"line one", "", "  indented  "};
    TVARNOProg *p = project.Programs.Add();
    p->NumOfProg = 200;
    p->Prioritary = 1;
    p->TimerOn = 1;
    p->Active = 0;
    p->SetHour(23);
    p->SetMinute(59);
    p->SetDate(varno::datetime::EncodeDate(2031, 12, 31));
    p->WeekDay = 7;
    p->DateMode = 2;
    p->ActionCount = 6;
    p->ActionKind = {0, 3, 4, 5, 6, 12};
    p->ActionNumber = {1, 2, 71, 15, 255, 9};
    p->ActionValue = {255, 255, 255, 255, 17, 255};
    p->Title = QStringLiteral("Fermeture ¿?");
    p->Color = 0x00FF00FF;
    p->Comment = QStringList{"a", "b"};

    const TProject loaded = Parse(Serialize(project), "x.prg");

    EXPECT_EQ(loaded.Group.Name, g.Name);
    EXPECT_EQ(loaded.Group.Author, g.Author);
    EXPECT_EQ(loaded.Group.CreationDate, g.CreationDate);
    EXPECT_EQ(loaded.Group.Comments, g.Comments);
    ASSERT_EQ(loaded.Programs.count(), 1);
    const TVARNOProg &q = loaded.Programs.at(0);
    EXPECT_EQ(q.NumOfProg, 200);
    EXPECT_EQ(q.Prioritary, 1);
    EXPECT_EQ(q.TimerOn, 1);
    EXPECT_EQ(q.Active, 0);
    EXPECT_EQ(q.GetHour(), 23);
    EXPECT_EQ(q.GetMinute(), 59);
    EXPECT_EQ(q.GetDate(), p->GetDate());
    EXPECT_EQ(q.WeekDay, 7);
    EXPECT_EQ(q.DateMode, 2);
    EXPECT_EQ(q.ActionCount, 6);
    EXPECT_EQ(q.ActionKind, p->ActionKind);
    EXPECT_EQ(q.ActionNumber, p->ActionNumber);
    EXPECT_EQ(q.ActionValue, p->ActionValue);
    EXPECT_EQ(q.Title, p->Title);
    EXPECT_EQ(q.Color, p->Color);
    EXPECT_EQ(q.Comment, p->Comment);
}

TEST_F(ProjectFile, textIsWindows1252OnDisk)
{
    TProject project;
    project.Group.Name = QStringLiteral("Été €");
    project.Group.Subject = QStringLiteral("Ж");
    const QList<QByteArray> lines = Serialize(project).split('\n');
    EXPECT_EQ(lines.at(2), QByteArray("\xC9t\xE9 \x80\r"));
    EXPECT_EQ(lines.at(3), QByteArray("?\r"));
}

// "yes" in any other case is no; blanks at the end of the line and doubled CRs
// of a badly converted file change nothing.
TEST_F(ProjectFile, flagsAreYesInThatCase)
{
    QStringList lines = kEmptyProjectLines.mid(0, 12) + QStringList{"1", "*****"} +
                        defaultProgramLines("1", "07/12/2026");
    lines[14 + 1] = "Yes";
    lines[14 + 2] = "YES";
    lines[14 + 3] = "yes";
    lines[14] = "7";
    QList<TNarrowedNumber> notes;
    TProject loaded = Parse(crlf(lines), "x.prg", &notes);
    EXPECT_EQ(loaded.Programs.at(0).Prioritary, 0);
    EXPECT_EQ(loaded.Programs.at(0).TimerOn, 0);
    EXPECT_EQ(loaded.Programs.at(0).Active, 1);
    // Each flag read as no for its capitals is noted, so that opening says so.
    using Flag = TNarrowedNumber::TFlag;
    ASSERT_EQ(notes.size(), 2);
    EXPECT_EQ(notes[0].line, 16);
    EXPECT_EQ(notes[0].flag, Flag::Priority);
    EXPECT_EQ(notes[0].spelling, "Yes");
    EXPECT_EQ(notes[0].program, 7);
    EXPECT_EQ(notes[1].line, 17);
    EXPECT_EQ(notes[1].flag, Flag::Timer);
    EXPECT_EQ(notes[1].spelling, "YES");
    lines[14 + 3] = "yEs";
    notes.clear();
    Parse(crlf(lines), "x.prg", &notes);
    ASSERT_EQ(notes.size(), 3);
    EXPECT_EQ(notes[2].flag, Flag::Active);
    lines[14 + 3] = "yes";

    lines[2] = "Gare";
    lines[14 + 1] = "yes ";
    lines[14 + 2] = "yes\t";
    notes.clear();
    loaded = Parse(crlf(lines), "x.prg", &notes);
    EXPECT_EQ(loaded.Programs.at(0).Prioritary, 1);
    EXPECT_EQ(loaded.Programs.at(0).TimerOn, 1);
    EXPECT_TRUE(notes.isEmpty());

    const TProject doubled = Parse(crlf(lines).replace("\r\n", "\r\r\n"), "x.prg");
    EXPECT_EQ(doubled.Group.Name, QStringLiteral("Gare"));
    EXPECT_EQ(Serialize(doubled), Serialize(loaded));
}

TEST_F(ProjectFile, programsKeepFileOrderAndNumbers)
{
    const QStringList lines = kEmptyProjectLines.mid(0, 12) + QStringList{"2", "*****"} +
                              defaultProgramLines("7", "07/12/2026") +
                              defaultProgramLines("3", "07/12/2026");
    const TProject loaded = Parse(crlf(lines), "x.prg");
    ASSERT_EQ(loaded.Programs.count(), 2);
    EXPECT_EQ(loaded.Programs.at(0).NumOfProg, 7);
    EXPECT_EQ(loaded.Programs.at(1).NumOfProg, 3);
}

TEST_F(ProjectFile, duplicateNumbersAndLow8BitsAreTakenAsTheyCome)
{
    QStringList lines = kEmptyProjectLines.mid(0, 12) + QStringList{"2", "*****"} +
                        defaultProgramLines("261", "07/12/2026") +
                        defaultProgramLines("5", "07/12/2026");
    lines[14 + 7] = "263"; // weekday: low 8 bits give 7
    lines[14 + 29] = "-1"; // colour
    const TProject loaded = Parse(crlf(lines), "x.prg");
    ASSERT_EQ(loaded.Programs.count(), 2);
    EXPECT_EQ(loaded.Programs.at(0).NumOfProg, 5);
    EXPECT_EQ(loaded.Programs.at(1).NumOfProg, 5);
    EXPECT_EQ(loaded.Programs.at(0).WeekDay, 7);
    EXPECT_EQ(loaded.Programs.at(0).Color, 0xFFFFFFFFu);
}

TEST_F(ProjectFile, saveOpenSaveGivesTheSameFileOnceDatesArePure)
{
    TProject project;
    project.Group.Name = "Shop";
    project.Programs.Add();
    TVARNOProg *second = project.Programs.Add();
    second->SetDate(varno::datetime::EncodeDate(2027, 1, 2));
    second->Comment = QStringList{QStringLiteral("Ouvert à 9h"), "second line"};

    const QString file = path("shop.prg");
    SaveProject(file, project);
    const QByteArray first = read(file);
    SaveProject(file, LoadProject(file));
    const QByteArray second_ = read(file);
    SaveProject(file, LoadProject(file));
    EXPECT_EQ(read(file), second_);

    // Only the date line written with a time of day changed.
    QByteArray expected = first;
    expected.replace("07/12/2026 12:34:56", "07/12/2026");
    EXPECT_EQ(second_, expected);
}

TEST_F(ProjectFile, datesReadInEveryAcceptedForm)
{
    const struct
    {
        const char *line;
        QDate date;
    } cases[] = {
        {"07/12/2026", QDate(2026, 12, 7)},      {"7/12/2026", QDate(2026, 12, 7)},
        {"1/2/2024 9:05:00", QDate(2024, 2, 1)}, {"29/02/2024 23:59:59", QDate(2024, 2, 29)},
        {"2025-03-04", QDate(2025, 3, 4)},       {"2025-3-4", QDate(2025, 3, 4)},
    };
    for (const auto &c : cases) {
        const QStringList lines = kEmptyProjectLines.mid(0, 12) + QStringList{"1", "*****"} +
                                  defaultProgramLines("1", c.line);
        const TProject loaded = Parse(crlf(lines), "x.prg");
        const TDateTime date = loaded.Programs.at(0).GetDate();
        EXPECT_EQ(varno::datetime::DatePart(date), c.date) << c.line;
        EXPECT_EQ(date, std::trunc(date)) << c.line;
    }
}

TEST_F(ProjectFile, otherDateLinesAreErrorsOnTheirLine)
{
    for (const char *line : {"12/07/2026 PM", "2026/12/07", "31/04/2026", "29/02/2023",
                             "07.12.2026", "12-07-2026", "07/12/26", "07/12/2026 25:00:00", ""}) {
        const QStringList lines = kEmptyProjectLines.mid(0, 12) + QStringList{"1", "*****"} +
                                  defaultProgramLines("1", line);
        EXPECT_EQ(errorLine(crlf(lines)), 21) << line;
    }
}

TEST_F(ProjectFile, hourAndMinuteOutOfRangeAreErrors)
{
    QStringList lines = kEmptyProjectLines.mid(0, 12) + QStringList{"1", "*****"} +
                        defaultProgramLines("1", "07/12/2026");
    lines[14 + 4] = "24";
    EXPECT_EQ(errorLine(crlf(lines)), 19);
    lines[14 + 4] = "23";
    lines[14 + 5] = "60";
    EXPECT_EQ(errorLine(crlf(lines)), 20);
}

TEST_F(ProjectFile, everyNumberLineReplacedByGarbageFailsOnThatLine)
{
    TProject project;
    project.Group.Comments = QStringList{"first", "second"};
    project.Programs.Add()->Comment = QStringList{"x", "y", "z"};
    project.Programs.Add();
    const QList<QByteArray> lines = Serialize(project).split('\n');
    static const QRegularExpression number(QStringLiteral("^-?\\d+\\r$"));
    int checked = 0;
    for (int i = 0; i < lines.size(); ++i) {
        if (!number.match(QString::fromLatin1(lines.at(i))).hasMatch())
            continue;
        // A zero byte ends the number for the C conversion, not for the file.
        for (const QByteArray &garbage :
             {QByteArray("x1"), QByteArray("1.5"), QByteArray(""), QByteArray("5\0xyz", 5)}) {
            QList<QByteArray> broken = lines;
            broken[i] = garbage + "\r";
            EXPECT_EQ(errorLine(broken.join('\n')), i + 1)
                << "line " << i + 1 << " = " << garbage.constData();
        }
        ++checked;
    }
    // 2 counts of the project; per program 25 numbers and the comment count.
    EXPECT_EQ(checked, 2 + 2 * 26);
}

TEST_F(ProjectFile, errorMessageNamesFileLineAndWhatWasFound)
{
    QStringList lines = kEmptyProjectLines;
    lines[12] = "many";
    try {
        Parse(crlf(lines), "/tmp/shop.prg");
        FAIL() << "parse accepted a bad count";
    } catch (const TProjectFileError &e) {
        // The file as the platform writes paths ("\\tmp\\shop.prg" on Windows).
        EXPECT_EQ(e.message(), QDir::toNativeSeparators("/tmp/shop.prg") +
                                   ":13: expected the number of programs (a whole number), "
                                   "found \"many\"");
    }
}

TEST_F(ProjectFile, errorMessagesShowUnprintableBytesEscaped)
{
    QByteArray file = crlf(kEmptyProjectLines);
    file.insert(int(qstrlen("Group Of Program File of VARNO")), '\0');
    try {
        Parse(file, "x.prg");
        FAIL() << "a header with a zero byte was accepted";
    } catch (const TProjectFileError &e) {
        EXPECT_EQ(e.reason(), "expected the header \"Group Of Program File of VARNO\", found "
                              "\"Group Of Program File of VARNO\\x00\"");
    }
}

// Every program the file declares is read, and nothing after them is dropped in
// silence: a later save would destroy it.
TEST_F(ProjectFile, programCountAndLinesAfterTheLastProgram)
{
    const QStringList header = kEmptyProjectLines.mid(0, 12);
    const QStringList three = defaultProgramLines("1", "07/12/2026") +
                              defaultProgramLines("2", "07/12/2026") +
                              defaultProgramLines("3", "07/12/2026");
    const struct
    {
        const char *what;
        QByteArray bytes;
        int line; // of the error, 0 when it loads
        const char *found;
    } cases[] = {
        {"count 256", crlf(header + QStringList{"256", "*****"} + three), 13, "256"},
        {"count -1", crlf(header + QStringList{"-1", "*****"} + three), 13, "-1"},
        {"count 2 of three", crlf(header + QStringList{"2", "*****"} + three), 81, "\"3\""},
        {"two files pasted", crlf(kEmptyProjectLines) + crlf(kEmptyProjectLines), 15, "\"Group Of"},
        {"blank lines after",
         crlf(header + QStringList{"3", "*****"} + three + QStringList{"", " "}), 0, ""},
        {"count 3 of three", crlf(header + QStringList{"3", "*****"} + three), 0, ""},
    };
    for (const auto &c : cases) {
        try {
            const TProject loaded = Parse(c.bytes, "x.prg");
            EXPECT_EQ(c.line, 0) << c.what << ": loaded";
            EXPECT_EQ(loaded.Programs.count(), 3) << c.what;
        } catch (const TProjectFileError &e) {
            EXPECT_EQ(e.line(), c.line) << c.what << ": " << e.message().toStdString();
            EXPECT_TRUE(e.reason().contains(QLatin1String(c.found)))
                << c.what << ": " << e.message().toStdString();
        }
    }
}

TEST_F(ProjectFile, foreignFileFailsOnItsFirstLine)
{
    EXPECT_EQ(errorLine("[Settings]\r\nLanguage=2\r\n"), 1);
    EXPECT_EQ(errorLine(QByteArray("\x89PNG\r\n\x1a\n", 8)), 1);
    EXPECT_EQ(errorLine(""), 1);
}

TEST_F(ProjectFile, truncatedFileFailsAtTheEnd)
{
    TProject project;
    project.Programs.Add();
    const QList<QByteArray> lines = Serialize(project).split('\n');
    // Cut after each line in turn (the whole file has 47 lines). A cut right
    // after a comment count (lines 10 and 45) is caught on the count itself.
    for (int kept = 1; kept < 47; ++kept) {
        const QByteArray cut = lines.mid(0, kept).join('\n') + '\n';
        const int expected = (kept == 10 || kept == 45) ? kept : kept + 1;
        EXPECT_EQ(errorLine(cut), expected) << kept;
    }
}

TEST_F(ProjectFile, countBeyondTheEndOfTheFileIsAnError)
{
    QStringList lines = kEmptyProjectLines;
    lines[9] = "40";
    EXPECT_EQ(errorLine(crlf(lines)), 10);
    lines[9] = "-1";
    EXPECT_EQ(errorLine(crlf(lines)), 10);
}

TEST_F(ProjectFile, wrongSeparatorIsAnError)
{
    QStringList lines = kEmptyProjectLines;
    lines[13] = "****";
    EXPECT_EQ(errorLine(crlf(lines)), 14);
}

TEST_F(ProjectFile, moreThan255CommentLinesRoundTrip)
{
    TProject project;
    project.Group.Comments.clear();
    for (int i = 0; i < 300; ++i)
        project.Group.Comments << QStringLiteral("note %1").arg(i);
    TVARNOProg *p = project.Programs.Add();
    for (int i = 0; i < 256; ++i)
        p->Comment << QString::number(i);
    p->Title = "after the comment";

    const TProject loaded = Parse(Serialize(project), "x.prg");
    EXPECT_EQ(loaded.Group.Comments, project.Group.Comments);
    ASSERT_EQ(loaded.Programs.count(), 1);
    EXPECT_EQ(loaded.Programs.at(0).Comment, p->Comment);
    EXPECT_EQ(loaded.Programs.at(0).Title, "after the comment");
}

TEST_F(ProjectFile, lfLineEndsAndMissingFinalLineEndLoad)
{
    TProject project;
    project.Programs.Add()->NumOfProg = 9;
    QByteArray bytes = Serialize(project);
    bytes.replace("\r\n", "\n");
    EXPECT_EQ(Parse(bytes, "lf.prg").Programs.at(0).NumOfProg, 9);
    bytes.chop(1);
    EXPECT_EQ(Parse(bytes, "lf.prg").Programs.at(0).NumOfProg, 9);
    QByteArray crlfBytes = Serialize(project);
    crlfBytes.chop(2);
    EXPECT_EQ(Parse(crlfBytes, "crlf.prg").Programs.at(0).NumOfProg, 9);
}

TEST_F(ProjectFile, lineBreaksInsideTextsDoNotShiftTheFile)
{
    TProject project;
    project.Group.Author = "two\r\nlines";
    TVARNOProg *p = project.Programs.Add();
    p->Title = "a\nb";
    const TProject loaded = Parse(Serialize(project), "x.prg");
    EXPECT_EQ(loaded.Group.Author, "two  lines");
    EXPECT_EQ(loaded.Programs.at(0).Title, "a b");
}

TEST_F(ProjectFile, failedLoadLeavesTheCurrentProjectAlone)
{
    TProject current;
    current.Group.Name = "Current";
    current.Programs.Add()->NumOfProg = 42;
    QStringList lines = kEmptyProjectLines.mid(0, 12) + QStringList{"1", "*****"} +
                        defaultProgramLines("1", "07/12/2026");
    lines[14 + 20] = "broken";
    const QString file = write("broken.prg", crlf(lines));

    try {
        current = LoadProject(file);
        FAIL() << "a broken file loaded";
    } catch (const TProjectFileError &e) {
        EXPECT_EQ(e.fileName(), file);
        EXPECT_EQ(e.line(), 35);
    }
    EXPECT_EQ(current.Group.Name, "Current");
    ASSERT_EQ(current.Programs.count(), 1);
    EXPECT_EQ(current.Programs.at(0).NumOfProg, 42);
}

TEST_F(ProjectFile, missingFileIsAClearError)
{
    try {
        LoadProject(path("nowhere.prg"));
        FAIL() << "a missing file loaded";
    } catch (const TProjectFileError &e) {
        EXPECT_EQ(e.line(), 0);
        EXPECT_TRUE(e.message().startsWith(QDir::toNativeSeparators(path("nowhere.prg")) +
                                           ": cannot be opened"));
    }
}

#ifdef Q_OS_UNIX
// What cannot be a project file is refused before it is read: a pipe would be
// read forever, a device or a huge file would fill the memory.
TEST_F(ProjectFile, foldersPipesDevicesAndHugeFilesAreRefusedAtOnce)
{
    const QString fifo = path("pipe.prg");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    // A writer that goes away after a while, so that a reader that waits on the
    // pipe fails the test instead of hanging it.
    const int writer = ::open(QFile::encodeName(fifo).constData(), O_RDWR | O_NONBLOCK);
    ASSERT_GE(writer, 0);
    std::thread closer([writer] {
        std::this_thread::sleep_for(std::chrono::seconds(1));
        ::close(writer);
    });
    QFile huge(path("huge.prg"));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
    ASSERT_TRUE(huge.resize(varno::MaxReadableFileSize + 1)); // sparse: no disk used
    huge.close();
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.prg"));

    const struct
    {
        QString file;
        const char *reason;
    } cases[] = {
        {fifo, "cannot be opened: it is a device or a pipe, not a file"},
        {"/dev/null", "cannot be opened: it is a device or a pipe, not a file"},
        {path("folder.prg"), "cannot be opened: it is a folder, not a file"},
        {path("huge.prg"), "is too large: 16777217 bytes, where the limit is 16 MB"},
    };
    for (const auto &c : cases) {
        try {
            LoadProject(c.file);
            ADD_FAILURE() << c.file.toStdString() << " loaded";
        } catch (const TProjectFileError &e) {
            EXPECT_EQ(e.line(), 0);
            EXPECT_EQ(e.reason(), c.reason) << c.file.toStdString();
        }
    }
    closer.join();
}
#endif

// No writer leaves a file that a load would refuse, or a name the file system
// takes only half-way: nothing is written, and the reason is the real one.
TEST_F(ProjectFile, writersRefuseFilesNoLoadTakesAndNamesTheSystemCannotHold)
{
    TProject huge;
    huge.Group.Comments = QStringList{QString(int(varno::MaxReadableFileSize), QLatin1Char('c'))};
    TProject small;
    small.Programs.Add();
    const auto longName = [this](int bytes) { return path(QString(bytes - 4, 'n') + ".prg"); };
    const QString present = longName(250);
    {
        QFile f(present); // made directly: its own name fits
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("previous");
    }
    const struct
    {
        const char *name;
        QString file;
        const TProject &project;
        QString refused; // the file named by the error; empty: the save succeeds
        QString reason;
    } cases[] = {
        {"a project above the load limit", path("huge.prg"), huge, path("huge.prg"),
         QStringLiteral("cannot be written: the project would take %1 bytes, where the limit of "
                        "a project file is 16 MB")
             .arg(Serialize(huge).size())},
        {"a new name whose previous version cannot be named", longName(246), small,
         longName(246) + ".bak", "cannot be written: File name too long"},
        {"a name whose temporary file cannot be named", present, small, present,
         "cannot be written: File name too long"},
        {"the longest name that fits", longName(244), small, QString(), QString()},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
#ifndef Q_OS_UNIX
        // The name rows count a POSIX file system's limit on one name; Windows
        // limits whole paths instead, which the temporary folder's depth decides.
        if (&c != &cases[0])
            continue;
#endif
        const QStringList before = QDir(dir.path()).entryList(QDir::Files);
        try {
            varno::projectfile::KeepPreviousVersion(c.file);
            SaveProject(c.file, c.project);
            EXPECT_TRUE(c.refused.isEmpty()) << "saved";
            EXPECT_EQ(LoadProject(c.file).Programs.count(), 1);
        } catch (const TProjectFileError &e) {
            EXPECT_EQ(e.fileName(), c.refused);
            EXPECT_EQ(e.reason(), c.reason);
            EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), before);
        }
    }
    EXPECT_EQ(read(present), "previous");
    // A recovery copy is written through the same writer.
    TProjectRecovery recovery(path("recovery"));
    ASSERT_TRUE(recovery.start());
    EXPECT_THROW(recovery.update(huge, QString(), true), TProjectFileError);
    EXPECT_FALSE(QFile::exists(recovery.copyPath()));
}

TEST_F(ProjectFile, saveReplacesTheWholeFile)
{
    const QString file = write("old.prg", QByteArray(5000, 'x'));
    TProject project;
    SaveProject(file, project);
    EXPECT_EQ(read(file), crlf(kEmptyProjectLines));
    // No temporary file is left behind.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"old.prg"});
}

TEST_F(ProjectFile, failedSaveThrowsAndKeepsThePreviousFile)
{
    const QString file = write("keep.prg", "previous");
    // A directory where the file should be cannot be replaced by a file.
    ASSERT_TRUE(QDir(dir.path()).mkdir("keep.prg.d"));
    EXPECT_THROW(SaveProject(path("keep.prg.d"), TProject()), TProjectFileError);
    EXPECT_THROW(SaveProject(path("no/such/dir/x.prg"), TProject()), TProjectFileError);
    EXPECT_EQ(read(file), "previous");
}

} // namespace

// A save that cannot be completed leaves the previous file as it was and says
// why, whichever step fails: the write, the flush or the rename.
TEST_F(ProjectFile, saveThatFailsAtAnyStepKeepsThePreviousFileAndGivesTheReason)
{
    TProject project;
    project.Programs.Add();
    const QString file = write("keep.prg", "previous");
    for (int step = 1; step <= 3; ++step) {
        varno::atomicwrite::FailNthWrite(step);
        try {
            SaveProject(file, project);
            ADD_FAILURE() << "step " << step << ": the save reported success";
        } catch (const TProjectFileError &e) {
            EXPECT_EQ(e.reason(), "cannot be written: " + diskFullText()) << step;
        }
        EXPECT_EQ(read(file), "previous") << step;
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"keep.prg"}) << step;
    }
    varno::atomicwrite::FailNthWrite(0);
    SaveProject(file, project);
    EXPECT_EQ(read(file), Serialize(project));
}

TEST_F(ProjectFile, saveOnAFullFileSystemKeepsThePreviousFile)
{
    SmallFileSystem disk;
    if (!disk.mounted())
        GTEST_SKIP() << "no small file system can be mounted here";
    const QString file = disk.filePath("keep.prg");
    TProject project;
    SaveProject(file, project);
    disk.fill();
    project.Programs.Add();
    try {
        SaveProject(file, project);
        FAIL() << "a save on a full disk reported success";
    } catch (const TProjectFileError &e) {
        EXPECT_EQ(e.reason(), "cannot be written: No space left on device");
    }
    EXPECT_EQ(read(file), Serialize(TProject()));
}
