// The main window's recovery copies, previous versions and project locks.

#include <FakeDialogs.h>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QPrintDialog>
#include <QPrinter>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QtPrinters.h>
#include <StaleLock.h>
#include <gtest/gtest.h>
#include <memory>
#include <model/ProjectFile.h>
#include <model/ProjectLock.h>
#include <optional>
#include <shell/Main.h>
#include <shell/SettingsFile.h>

namespace {

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

class SafeEditing : public ::testing::Test
{
protected:
    void SetUp() override
    {
        TProject project;
        project.Group.Name = "Gare Est";
        project.Programs.Add();
        SaveProject(userFile(), project);
        original = readFile(userFile());
        start();
    }

    // A programmer started against the temporary folders, its copies checked
    // every 10 ms.
    void start()
    {
        window.reset();
        settings = std::make_unique<TSettingsFile>(dir.path(), dir.filePath("config"));
        window = std::make_unique<TForm1>(dialogs, *settings);
        window->show();
        window->startRecovery(recoveryFolder(), 10);
    }

    // The programmer ends without closing, as in a crash: its lock stays behind
    // with a process that no longer runs.
    void crash()
    {
        const QStringList left = copies();
        window.reset();
        for (const QString &copy : left)
            ASSERT_TRUE(writeStaleLock(
                QDir(recoveryFolder()).filePath(QString(copy).replace(".prg", ".lock"))));
    }

    QString userFile() const { return dir.filePath("gare.prg"); }
    QString recoveryFolder() const { return dir.filePath("recovery"); }
    QStringList copies() const
    {
        return QDir(recoveryFolder()).entryList({"*.prg"}, QDir::Files, QDir::Name);
    }
    bool waitForACopy()
    {
        return QTest::qWaitFor([this] { return copies().size() == 1; }, 5000);
    }
    void open(const QString &fileName)
    {
        dialogs.fileNames = {fileName};
        window->Open1Click();
    }
    QStringList recoveryQuestions() const
    {
        return dialogs.questions.filter("ended without saving the changes of");
    }

    QTemporaryDir dir;
    QByteArray original;
    FakeDialogs dialogs;
    std::unique_ptr<TSettingsFile> settings;
    std::unique_ptr<TForm1> window;
};

TEST_F(SafeEditing, aCopyIsWrittenAfterAChangeAndGoesWithTheChanges)
{
    struct Way
    {
        const char *name;
        std::function<void()> drop;
    };
    const Way ways[] = {
        {"saved",
         [this] {
             dialogs.fileNames = {dir.filePath("saved.prg")};
             window->Save1Click();
         }},
        {"New Project",
         [this] {
             dialogs.answers = {false}; // do not save
             dialogs.onExec = [](QDialog *) { return int(QDialog::Accepted); };
             window->New2Click();
         }},
        {"closed without saving",
         [this] {
             dialogs.answers = {false};
             window->close();
         }},
    };
    for (const Way &way : ways) {
        SCOPED_TRACE(way.name);
        start();
        QTest::qWait(100); // ten checks without a change
        EXPECT_TRUE(copies().isEmpty());
        window->SpeedButton1Click();
        ASSERT_TRUE(waitForACopy());
        const QString copy = QDir(recoveryFolder()).filePath(copies().first());
        EXPECT_EQ(LoadProject(copy).Programs.count(), 1);

        way.drop();
        EXPECT_TRUE(copies().isEmpty());
        QTest::qWait(50);
        EXPECT_TRUE(copies().isEmpty()); // and not written again
        dialogs.questions.clear();
        start();
        EXPECT_TRUE(recoveryQuestions().isEmpty()); // nothing offered after a normal end
    }
}

TEST_F(SafeEditing, aCrashedProgrammersChangesAreOfferedAndOpenAsChanged)
{
    open(userFile());
    window->SpeedButton1Click();
    window->SpeedButton1Click(); // three programs, the file has one
    ASSERT_TRUE(waitForACopy());
    const QString leftCopy = copies().first();
    crash();

    dialogs.answers = {true};
    start();
    ASSERT_EQ(recoveryQuestions().size(), 1);
    EXPECT_TRUE(recoveryQuestions()[0].startsWith(
        "VARNO Programmer ended without saving the changes of Gare Est ("))
        << recoveryQuestions()[0];
    EXPECT_EQ(window->ProgList().count(), 3);
    EXPECT_TRUE(window->isChanged());
    EXPECT_EQ(window->ProjectFileName(), userFile());
    EXPECT_EQ(readFile(userFile()), original); // written only when the user saves
    ASSERT_EQ(copies().size(), 1);             // this programmer's own copy now
    EXPECT_NE(copies().first(), leftCopy);

    window->Save1Click();
    EXPECT_EQ(LoadProject(userFile()).Programs.count(), 3);
    EXPECT_EQ(readFile(userFile() + ".bak"), original);
    EXPECT_TRUE(copies().isEmpty());

    // Closed unanswered: the copy stays and is offered again at the next start.
    // Refused: the copy goes, and the next start offers nothing. Either way the
    // programmer starts empty, as it would without a copy.
    window->SpeedButton1Click();
    ASSERT_TRUE(waitForACopy());
    const QStringList secondCopy = copies();
    crash();
    for (const TAnswer answer : {TAnswer::Dismissed, TAnswer::Dismissed, TAnswer::No}) {
        SCOPED_TRACE(int(answer));
        dialogs.questions.clear();
        dialogs.answers = {answer};
        start();
        EXPECT_EQ(recoveryQuestions().size(), 1);
        EXPECT_EQ(window->ProgList().count(), 0);
        EXPECT_FALSE(window->isChanged());
        EXPECT_EQ(copies(), answer == TAnswer::No ? QStringList() : secondCopy);
    }
    dialogs.questions.clear();
    start();
    EXPECT_TRUE(recoveryQuestions().isEmpty());
}

// The recovery net never fails in silence: a copy a crash left that does not
// read is reported and moved aside, and copies that cannot be written are said
// once in the status bar, in the window's language, and once when they are
// written again.
TEST_F(SafeEditing, theRecoveryNetSaysWhatItCannotDo)
{
    open(userFile());
    window->SpeedButton1Click();
    ASSERT_TRUE(waitForACopy());
    const QString leftCopy = QDir(recoveryFolder()).filePath(copies().first());
    crash();
    {
        QFile cut(leftCopy);
        ASSERT_TRUE(cut.open(QIODevice::ReadWrite));
        ASSERT_TRUE(cut.resize(cut.size() / 2));
    }
    start();
    EXPECT_TRUE(recoveryQuestions().isEmpty());
    ASSERT_EQ(dialogs.warnings.size(), 1);
    EXPECT_TRUE(dialogs.warnings[0].startsWith(
        "A recovery copy cannot be read; it was moved aside to " +
        QDir::toNativeSeparators(QDir(recoveryFolder()).filePath("unreadable/"))))
        << dialogs.warnings[0];
    EXPECT_TRUE(dialogs.warnings[0].contains(QDir::toNativeSeparators(leftCopy) + ":"))
        << dialogs.warnings[0];
    EXPECT_TRUE(copies().isEmpty());

    const QString notProtected =
        "Recovery copies cannot be written: unsaved changes are not protected.";
    EXPECT_TRUE(window->StatusBar1->currentMessage().isEmpty());
    window->SpeedButton1Click();
    ASSERT_TRUE(waitForACopy());
    EXPECT_TRUE(window->StatusBar1->currentMessage().isEmpty());
    // The data folder goes away under the programmer, as a full or read-only disk.
    const QString away = recoveryFolder() + ".away";
    ASSERT_TRUE(QDir().rename(recoveryFolder(), away));
    {
        QFile blocker(recoveryFolder());
        ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    }
    window->SpeedButton1Click();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return window->StatusBar1->currentMessage() == notProtected; }, 5000));
    window->French1->trigger();
    const QString french = "Les copies de récupération ne peuvent pas être écrites : les "
                           "modifications non enregistrées ne sont pas protégées.";
    EXPECT_EQ(window->StatusBar1->currentMessage(), french);
    QTest::qWait(100); // ten checks that fail, and no other word
    EXPECT_EQ(window->StatusBar1->currentMessage(), french);

    ASSERT_TRUE(QFile::remove(recoveryFolder()));
    ASSERT_TRUE(QDir().rename(away, recoveryFolder()));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return window->StatusBar1->currentMessage() ==
                   "Les copies de récupération sont de nouveau écrites : les modifications non "
                   "enregistrées sont protégées.";
        },
        5000));
    ASSERT_EQ(copies().size(), 1);
    EXPECT_EQ(LoadProject(QDir(recoveryFolder()).filePath(copies().first())).Programs.count(),
              window->ProgList().count());
}

// Another programmer, running, holds the file: the user chooses.
TEST_F(SafeEditing, aFileOpenInAnotherProgrammerIsReported)
{
    struct Choice
    {
        const char *name;
        std::deque<bool> answers; // open anyway?, read-only?
        bool opened;
        bool saveWritesTheFile;
    };
    const Choice choices[] = {
        {"not opened", {false}, false, false},
        {"read-only", {true, true}, true, false},
        {"anyway", {true, false}, true, true},
    };
    QLockFile other(TProjectLock::lockPath(userFile()));
    ASSERT_TRUE(other.tryLock(0));
    for (const Choice &choice : choices) {
        SCOPED_TRACE(choice.name);
        start();
        dialogs.questions.clear();
        dialogs.answers.assign(choice.answers.begin(), choice.answers.end());
        open(userFile());
        ASSERT_FALSE(dialogs.questions.isEmpty());
        EXPECT_TRUE(dialogs.questions[0].startsWith(
            QString("gare.prg is already open in another VARNO Programmer (process %1 on ")
                .arg(QCoreApplication::applicationPid())))
            << dialogs.questions[0];
        EXPECT_EQ(window->ProgList().count(), choice.opened ? 1 : 0);
        if (!choice.opened)
            continue;
        EXPECT_EQ(window->windowTitle().endsWith(" (read-only)"), !choice.saveWritesTheFile);

        window->SpeedButton1Click();
        const QString elsewhere = dir.filePath(QString("%1.prg").arg(choice.name));
        dialogs.fileNames = {elsewhere};
        window->Save1Click();
        EXPECT_EQ(readFile(userFile()) != original, choice.saveWritesTheFile);
        EXPECT_EQ(QFile::exists(elsewhere), !choice.saveWritesTheFile); // through Save As
        QFile f(userFile()); // as it was, for the next choice
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(original);
    }
}

// Save As, and Save of a project open read-only, claim the file before writing
// it: a file another running programmer holds is left as it is.
TEST_F(SafeEditing, aSaveNeverReplacesAFileOpenInAnotherProgrammer)
{
    const QString mine = dir.filePath("mine.prg");
    TProject other;
    other.Programs.Add();
    other.Programs.Add();
    SaveProject(mine, other);

    enum class Holder
    {
        None,
        LiveProgrammer,
        DeadProgrammer,
    };
    struct Case
    {
        const char *name;
        Holder holder;             // of gare.prg before the save
        QString opens;             // the file the window has open
        std::deque<bool> answers;  // open anyway?, read-only?
        bool throughSave;          // Save rather than Save As
        bool writeFails;           // the previous version cannot be kept
        bool written;              // gare.prg holds the window's project afterwards
        int warnings, errors;      // shown by the save
        QString fileNameAfter;     // the window's file afterwards
        bool readOnlyAfter;        // its title says read-only
        bool windowHoldsGareAfter; // its lock, for whoever opens gare.prg next
    };
    const Case cases[] = {
        {"Save As over a live programmer's file",
         Holder::LiveProgrammer,
         mine,
         {},
         false,
         false,
         false,
         1,
         0,
         mine,
         false,
         false},
        {"Save of a project open read-only",
         Holder::LiveProgrammer,
         userFile(),
         {true, true},
         true,
         false,
         false,
         1,
         0,
         userFile(),
         true,
         false},
        {"Save As over a dead programmer's file",
         Holder::DeadProgrammer,
         mine,
         {},
         false,
         false,
         true,
         0,
         0,
         userFile(),
         false,
         true},
        {"failed Save As over its own file",
         Holder::None,
         userFile(),
         {},
         false,
         true,
         false,
         0,
         1,
         userFile(),
         false,
         true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(TProjectLock::lockPath(userFile()));
        QFile::remove(userFile() + ".bak");
        QDir(dir.path()).rmdir("gare.prg.bak");
        std::optional<QLockFile> live;
        if (c.holder == Holder::LiveProgrammer) {
            live.emplace(TProjectLock::lockPath(userFile()));
            ASSERT_TRUE(live->tryLock(0));
        }
        if (c.holder == Holder::DeadProgrammer) {
            ASSERT_TRUE(writeStaleLock(TProjectLock::lockPath(userFile())));
        }
        start();
        dialogs = FakeDialogs();
        dialogs.answers.assign(c.answers.begin(), c.answers.end());
        open(c.opens);
        window->SpeedButton1Click();
        if (c.writeFails) {
            ASSERT_TRUE(QDir(dir.path()).mkdir("gare.prg.bak"));
        }

        dialogs.fileNames = {userFile()};
        c.throughSave ? window->Save1Click() : window->SaveAs1Click();

        EXPECT_EQ(readFile(userFile()) != original, c.written);
        EXPECT_EQ(dialogs.warnings.size(), c.warnings) << dialogs.warnings.join('\n').toStdString();
        for (const QString &warning : dialogs.warnings)
            EXPECT_TRUE(warning.startsWith(
                QString("gare.prg is open in another VARNO Programmer (process %1 on ")
                    .arg(QCoreApplication::applicationPid())))
                << warning;
        EXPECT_EQ(dialogs.errors.size(), c.errors);
        EXPECT_EQ(window->ProjectFileName(), c.fileNameAfter);
        EXPECT_EQ(window->isChanged(), !c.written);
        EXPECT_EQ(window->windowTitle().endsWith(" (read-only)"), c.readOnlyAfter);
        live.reset();
        EXPECT_EQ(TProjectLock(userFile()).tryLock() == TProjectLock::State::HeldElsewhere,
                  c.windowHoldsGareAfter);

        window.reset();
        QFile f(userFile()); // as it was, for the next case
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(original);
    }
}

TEST_F(SafeEditing, aDeadProgrammersLockIsTakenOver)
{
    ASSERT_TRUE(writeStaleLock(TProjectLock::lockPath(userFile())));
    open(userFile());
    EXPECT_TRUE(dialogs.questions.isEmpty());
    EXPECT_EQ(window->ProgList().count(), 1);
    EXPECT_EQ(TProjectLock(userFile()).tryLock(), TProjectLock::State::HeldElsewhere);
    open(userFile()); // its own lock is no other programmer
    EXPECT_TRUE(dialogs.questions.isEmpty());
    EXPECT_EQ(window->ProgList().count(), 1);
    window.reset();
    EXPECT_EQ(TProjectLock(userFile()).tryLock(), TProjectLock::State::Locked);
}

// Another program writes the project file while it is open here: Save asks,
// and only Overwrite replaces that program's version (which the .bak keeps).
TEST_F(SafeEditing, aFileAnotherProgramChangedIsNeverOverwrittenUnasked)
{
    TProject theirs;
    theirs.Group.Name = "Theirs";
    const QString theirsFile = dir.filePath("theirs.prg");
    SaveProject(theirsFile, theirs);
    const QByteArray theirBytes = readFile(theirsFile);
    const QString elsewhere = dir.filePath("elsewhere.prg");

    struct Case
    {
        const char *name;
        bool savedFirst;       // saved here once before the other program writes
        bool changedElsewhere; // the other program writes the file
        FakeAnswer answer;     // to the question, when asked
        bool asked;
        QString nameInFile; // the project's name in gare.prg afterwards
        bool bakIsTheirs;   // gare.prg.bak holds the other program's version
        bool savedAs;       // the project went to elsewhere.prg
    };
    const Case cases[] = {
        {"not changed", false, false, FakeChoice{-1}, false, "Gare Est", false, false},
        {"overwritten", false, true, FakeChoice{0}, true, "Gare Est", true, false},
        {"saved as", false, true, FakeChoice{1}, true, "Theirs", false, true},
        {"cancelled", false, true, FakeChoice{-1}, true, "Theirs", false, false},
        {"Escape", false, true, TAnswer::Dismissed, true, "Theirs", false, false},
        {"changed after a save here", true, true, FakeChoice{-1}, true, "Theirs", false, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        writeFile(userFile(), original);
        QFile::remove(userFile() + ".bak");
        QFile::remove(elsewhere);
        start();
        dialogs = FakeDialogs();
        open(userFile());
        window->SpeedButton1Click();
        if (c.savedFirst) {
            window->Save1Click();
            ASSERT_FALSE(window->isChanged());
            window->SpeedButton1Click();
        }
        if (c.changedElsewhere)
            writeFile(userFile(), theirBytes);

        dialogs.answers = {c.answer};
        dialogs.fileNames = {elsewhere};
        window->Save1Click();

        const QStringList asked = dialogs.questions.filter("changed by another program");
        ASSERT_EQ(asked.size(), c.asked ? 1 : 0) << dialogs.questions.join('\n').toStdString();
        if (c.asked) {
            EXPECT_TRUE(asked[0].startsWith(QDir::toNativeSeparators(userFile()) +
                                            " has been changed by another program"))
                << asked[0];
        }
        EXPECT_EQ(LoadProject(userFile()).Group.Name, c.nameInFile);
        EXPECT_EQ(readFile(userFile() + ".bak") == theirBytes, c.bakIsTheirs);
        EXPECT_EQ(QFile::exists(elsewhere), c.savedAs);
        const bool saved = c.nameInFile == "Gare Est" || c.savedAs;
        EXPECT_EQ(window->isChanged(), !saved);
    }
    // After Overwrite the file is this window's again: the next save asks nothing.
    writeFile(userFile(), original);
    start();
    dialogs = FakeDialogs();
    open(userFile());
    writeFile(userFile(), theirBytes);
    dialogs.answers = {FakeChoice{0}};
    window->SpeedButton1Click();
    window->Save1Click();
    window->SpeedButton1Click();
    window->Save1Click();
    EXPECT_EQ(dialogs.questions.filter("changed by another program").size(), 1);
    EXPECT_EQ(LoadProject(userFile()).Programs.count(), 3);
}

// Export, the report and print to a file never replace a project: neither the
// one open here (by any of its names), another project file, nor a file
// another running programmer holds.
TEST_F(SafeEditing, anExportNeverReplacesAProject)
{
    const QString otherProject = dir.filePath("other.prg");
    SaveProject(otherProject, TProject());
    const QString heldCsv = dir.filePath("held.csv");
    writeFile(heldCsv, "kept");
    QLockFile holder(TProjectLock::lockPath(heldCsv)); // another programmer: this process
    ASSERT_TRUE(holder.tryLock(0));
#ifndef Q_OS_WIN // Windows makes a shortcut file, not a second name of the file
    ASSERT_TRUE(QFile::link(userFile(), dir.filePath("link.prg")));
#endif

    enum class Writer
    {
        Csv,
        Report,
        Print,
    };
    struct Case
    {
        const char *name;
        Writer writer;
        QString target;
        const char *refusal; // the start of the warning; nullptr: written
    };
    const Case cases[] = {
        {"CSV onto the open project", Writer::Csv, userFile(), "is a project file"},
#ifndef Q_OS_WIN
        {"CSV onto its link", Writer::Csv, dir.filePath("link.prg"), "is a project file"},
#endif
        {"HTML onto the open project", Writer::Report, userFile(), "is a project file"},
        {"PDF onto another project", Writer::Report, dir.filePath("other.prg"),
         "is a project file"},
        {"printed onto the open project", Writer::Print, userFile(), "is a project file"},
        {"CSV onto a file another programmer holds", Writer::Csv, heldCsv,
         "is open in another VARNO Programmer"},
        {"CSV onto a new file", Writer::Csv, dir.filePath("new.csv"), nullptr},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        start();
        dialogs = FakeDialogs();
        open(userFile());
        const QByteArray before = readFile(c.target);
        dialogs.fileNames = {c.target};
        dialogs.onExec = [&c](QDialog *dialog) {
            QPrinter *printer = qobject_cast<QPrintDialog *>(dialog)->printer();
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setOutputFileName(c.target);
            return int(QDialog::Accepted);
        };
        switch (c.writer) {
        case Writer::Csv:
            window->ExportCsv1Click();
            break;
        case Writer::Report:
            window->ExportReport1Click();
            break;
        case Writer::Print:
            window->PrintReport1Click();
            break;
        }
        EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join('\n').toStdString();
        if (!c.refusal) {
            EXPECT_TRUE(dialogs.warnings.isEmpty());
            EXPECT_TRUE(readFile(c.target).startsWith("number,"));
            continue;
        }
        ASSERT_EQ(dialogs.warnings.size(), 1);
        EXPECT_TRUE(dialogs.warnings[0].contains(c.refusal)) << dialogs.warnings[0];
        EXPECT_EQ(readFile(c.target), before);
        EXPECT_FALSE(window->isChanged());
        if (c.target == heldCsv) {
            EXPECT_TRUE(dialogs.warnings[0].contains(
                QDir::toNativeSeparators(TProjectLock::lockPath(heldCsv))))
                << dialogs.warnings[0];
        }
    }
}

} // namespace
