#include <DiskFull.h>
#include <FakeDialogs.h>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QtPrinters.h>
#include <editor/ColumnMenu.h>
#include <editor/LittleOneProg.h>
#include <editor/OneProg.h>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <model/AtomicWrite.h>
#include <model/Cp1252.h>
#include <model/ProjectFile.h>
#include <shell/Main.h>
#include <shell/ProjectUndo.h>
#include <shell/ProjetProperty.h>
#include <shell/SettingsFile.h>
#include <text/text.h>
#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

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
    f.write(bytes);
}

// A main window started against a temporary settings directory, with every
// question answered by the script in `dialogs`.
class MainWindow : public ::testing::Test
{
protected:
    void SetUp() override { start(); }

    void start()
    {
        window.reset();
        settings = std::make_unique<TSettingsFile>(dir.path(), dir.filePath("config"));
        window = std::make_unique<TForm1>(dialogs, *settings);
        window->setOptionsFile(dir.filePath("options.ini"));
        window->show();
    }

    // Closes the window as the user does; the settings are written then.
    void closeWindow() { window->close(); }

    QString settingsPath() const { return dir.filePath("VARNOQuillonProg2.cfg"); }
    QStringList settingsLines() const
    {
        return varno::cp1252::Decode(readFile(settingsPath())).split("\r\n");
    }

    QList<int> numbers() const
    {
        QList<int> result;
        for (const auto &p : window->ProgList())
            result << p->NumOfProg;
        return result;
    }

    void addPrograms(int count)
    {
        for (int i = 0; i < count; ++i)
            window->SpeedButton1Click();
    }

    QTemporaryDir dir;
    FakeDialogs dialogs;
    std::unique_ptr<TSettingsFile> settings;
    std::unique_ptr<TForm1> window;
};

TEST_F(MainWindow, startsWithAnEmptyNewProject)
{
    EXPECT_EQ(window->windowTitle(), "VARNO Programmer : New Project");
    EXPECT_TRUE(window->ProgList().isEmpty());
    EXPECT_FALSE(window->isChanged());
    EXPECT_EQ(window->CurrentLanguage, 2);
    EXPECT_EQ(window->ComPortName(), "COM1");
    EXPECT_TRUE(window->English1->isChecked());
    EXPECT_TRUE(window->ComItems[0]->isChecked());
    EXPECT_EQ(window->File1->text(), "&File");
    EXPECT_EQ(window->SpeedButton3->toolTip(), "Transmit the programs to the player");
    EXPECT_TRUE(QFile::exists(settingsPath())); // written with the defaults
}

TEST_F(MainWindow, newProgramTakesTheLowestFreeNumberAndOpensAtTheTop)
{
    addPrograms(4);
    window->SelectedPanel() = window->PanelList()[2];
    window->DeleteSelectedProg(); // programs 1, 2, 4
    window->SpeedButton1Click();
    EXPECT_EQ(numbers(), (QList<int>{1, 2, 4, 3}));
    EXPECT_EQ(window->SelectedPanel(), window->PanelList().last());
    EXPECT_FALSE(window->ProgPanel->isHidden());
    EXPECT_TRUE(window->SelectedPanel()->isHidden());
    EXPECT_EQ(window->ProgPanel->Prog, &window->ProgList().at(3));
    EXPECT_EQ(window->ScrollBox1->verticalScrollBar()->value(),
              qMin(window->ProgPanel->y(), window->ScrollBox1->verticalScrollBar()->maximum()));
    EXPECT_EQ(window->ProgPanel->y(), 3 * TFrame1::PanelHeight);

    window->SelectedPanel() = window->PanelList()[0];
    window->DeleteSelectedProg();
    window->SelectedPanel() = window->PanelList()[0];
    window->DeleteSelectedProg(); // programs 4, 3
    window->SpeedButton1Click();
    EXPECT_EQ(numbers().last(), 1);
}

TEST_F(MainWindow, deletingTheSeventhOfFiveFoldsAndOffersItsNumberAgain)
{
    addPrograms(5);
    window->ProgList().at(2).NumOfProg = 7;
    window->UpdateNumberMenu();
    EXPECT_FALSE(window->ProgPanel->PopupMenu3->itemAt(6)->isEnabled());
    window->ActiveSelected(window->PanelList()[2]);
    dialogs.answers = {true};
    window->SpeedButton2Click();
    EXPECT_EQ(dialogs.questions.last(), "Do you want to delete the selected program?\n007  ...");
    EXPECT_EQ(numbers(), (QList<int>{1, 2, 4, 5}));
    EXPECT_EQ(window->SelectedPanel(), window->PanelList().first());
    EXPECT_TRUE(window->SelectedPanel()->isSelected());
    EXPECT_TRUE(window->ProgPanel->isHidden());
    for (TFrame1 *panel : window->PanelList())
        EXPECT_FALSE(panel->isHidden());
    EXPECT_TRUE(window->ProgPanel->PopupMenu3->itemAt(6)->isEnabled());
    EXPECT_FALSE(window->ProgPanel->PopupMenu3->itemAt(0)->isEnabled());
}

TEST_F(MainWindow, deleteAnsweredNoOrWithoutProgramsDoesNothing)
{
    window->SpeedButton2Click();
    EXPECT_TRUE(dialogs.questions.isEmpty());
    addPrograms(2);
    dialogs.answers = {false};
    window->SpeedButton2Click();
    EXPECT_EQ(window->ProgList().count(), 2);
}

TEST_F(MainWindow, deletingTheOpenProgramLeavesNoDanglingPanel)
{
    addPrograms(1);
    ASSERT_FALSE(window->ProgPanel->isHidden());
    dialogs.answers = {true};
    window->SpeedButton2Click();
    EXPECT_TRUE(window->ProgList().isEmpty());
    EXPECT_EQ(window->SelectedPanel(), nullptr);
    EXPECT_EQ(window->ProgPanel->Prog, nullptr);
    EXPECT_TRUE(window->ProgPanel->isHidden());
}

TEST_F(MainWindow, the256thProgramIsRefused)
{
    addPrograms(255);
    window->SpeedButton1Click();
    EXPECT_EQ(window->ProgList().count(), 255);
    EXPECT_EQ(window->PanelList().size(), 255);
    EXPECT_EQ(dialogs.warnings, QStringList{"You cannot create more than 255 programs!"});
}

TEST_F(MainWindow, numberMenuOffersOnlyFreeNumbers)
{
    addPrograms(3);
    window->ProgPanel->PopupMenu3->itemAt(9)->trigger(); // number 10 for program 3
    EXPECT_EQ(numbers(), (QList<int>{1, 2, 10}));
    EXPECT_FALSE(window->ProgPanel->PopupMenu3->itemAt(9)->isEnabled());
    EXPECT_TRUE(window->ProgPanel->PopupMenu3->itemAt(2)->isEnabled());
    EXPECT_EQ(window->ProgPanel->StaticText6->text(), "010");
}

TEST_F(MainWindow, selectingAndOpeningRows)
{
    addPrograms(3);
    TFrame1 *first = window->PanelList()[0];
    QTest::mouseClick(first->StaticText1, Qt::LeftButton);
    EXPECT_EQ(window->SelectedPanel(), first);
    EXPECT_TRUE(window->ProgPanel->isHidden()); // a click only selects
    QTest::mouseDClick(first->StaticText1, Qt::LeftButton);
    EXPECT_FALSE(window->ProgPanel->isHidden());
    EXPECT_EQ(window->ProgPanel->Prog, first->Prog);
    EXPECT_EQ(window->ProgPanel->y(), 0);
    EXPECT_EQ(window->PanelList()[1]->y(), TFrame2::PanelHeight);
    // The reduce button folds it back with the edited title in the row.
    first->Prog->Title = "Edited";
    QTest::mouseClick(window->ProgPanel->SpeedButton2, Qt::LeftButton);
    EXPECT_TRUE(window->ProgPanel->isHidden());
    EXPECT_EQ(first->StaticText1->text(), "Edited");
    EXPECT_EQ(window->PanelList()[1]->y(), TFrame1::PanelHeight);
    QTest::mouseClick(window->PanelList()[2]->SpeedButton2, Qt::LeftButton);
    EXPECT_EQ(window->ProgPanel->Prog, window->PanelList()[2]->Prog);
}

TEST_F(MainWindow, doubleClickOnATitleOpensTheProgramAndKeepsItOpen)
{
    addPrograms(2);
    window->ActualizeBVProg();
    TFrame1 *first = window->PanelList()[0];
    // As the window delivers a double click: the last release comes after the
    // row was hidden under the open panel.
    QTest::mouseClick(first->StaticText1, Qt::LeftButton);
    QTest::mouseDClick(first->StaticText1, Qt::LeftButton);
    QTest::mouseRelease(first->StaticText1, Qt::LeftButton);
    EXPECT_FALSE(window->ProgPanel->isHidden());
    EXPECT_EQ(window->ProgPanel->Prog, first->Prog);
}

// The first click of a double click folds the open program and the rows move:
// the second press lands on another row, or below them all. The program opened
// is the one the double click began on.
TEST_F(MainWindow, doubleClickOpensTheRowItBeganOnWhenTheFirstClickMovedTheRows)
{
    window->resize(884, 900);
    QTest::qWait(20);
    const struct
    {
        int programs, open, clicked;
    } cases[] = {
        {31, 30, 27}, // the list scrolls back up to the folded 031
        {12, 0, 11},  // the rows below 001 move up and leave the pointer below them
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.clicked);
        window->ClearProject();
        addPrograms(c.programs);
        window->ActualizeOneProg(window->PanelList()[c.open]);
        TFrame1 *row = window->PanelList()[c.clicked];
        window->ScrollBox1->verticalScrollBar()->setValue(qMax(0, row->y() - 100));
        const QPoint inWindow =
            row->StaticText1->mapTo(window.get(), row->StaticText1->rect().center());
        QTest::mouseClick(row->StaticText1, Qt::LeftButton, {}, row->StaticText1->rect().center());
        ASSERT_TRUE(window->ProgPanel->isHidden());
        QWidget *under = window->childAt(inWindow);
        ASSERT_TRUE(under);
        ASSERT_NE(under, row->StaticText1); // the rows did move
        const QPoint local = under->mapFrom(window.get(), inWindow);
        QMouseEvent doubleClick(QEvent::MouseButtonDblClick, local, under->mapToGlobal(local),
                                Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(under, &doubleClick);
        EXPECT_FALSE(window->ProgPanel->isHidden());
        EXPECT_EQ(window->ProgPanel->Prog, row->Prog);
    }
}

// The toolkit's own texts (Yes, No, file dialogs, key names) follow the
// language, at start-up and at every switch.
TEST_F(MainWindow, toolkitTextsFollowTheLanguage)
{
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!QFile::exists(folder + "/qtbase_fr.qm") || !QFile::exists(folder + "/qtbase_es.qm"))
        GTEST_SKIP() << "the toolkit's translations are not installed";
    const auto yes = [] { return QCoreApplication::translate("QPlatformTheme", "&Yes"); };
    window->French1->trigger();
    EXPECT_EQ(yes(), "&Oui");
    window->Espaol1->trigger();
    EXPECT_EQ(yes(), QStringLiteral("&S\u00ed"));
    window->English1->trigger();
    EXPECT_EQ(yes(), "&Yes");
    window->French1->trigger();
    closeWindow();
    window->English1->trigger(); // the settings already say French
    start();
    EXPECT_EQ(yes(), "&Oui");
    window->English1->trigger();
}

TEST_F(MainWindow, theLastProjectIsScrolledIntoViewAtStart)
{
    addPrograms(40);
    const QString file = dir.filePath("long.prg");
    dialogs.fileNames = {file};
    window->SaveAs1Click();
    closeWindow();
    start();
    ASSERT_EQ(window->ProgList().count(), 40);
    QTest::qWait(20);
    EXPECT_GT(window->ScrollBox1->verticalScrollBar()->value(), 0);
    EXPECT_EQ(
        window->ScrollBox1->verticalScrollBar()->value(),
        qMin(window->SelectedPanel()->y(), window->ScrollBox1->verticalScrollBar()->maximum()));
}

TEST_F(MainWindow, openTitleEditIsKeptWhenAnotherRowIsClicked)
{
    addPrograms(2);
    TFrame2 *panel = window->ProgPanel;
    QTest::mouseClick(panel->StaticText1, Qt::LeftButton);
    panel->Edit1->setText("Typed");
    QTest::mouseClick(window->PanelList()[0]->StaticText1, Qt::LeftButton);
    EXPECT_EQ(window->ProgList().at(1).Title, "Typed");
    EXPECT_EQ(window->PanelList()[1]->StaticText1->text(), "Typed");
}

struct Look
{
    const char *why;
    std::function<void(TForm1 &)> look;
    bool changes;
};

// Only what Save would write differently counts as a change: opening, folding
// or an edit undone leaves nothing to save, no question at Exit and no
// recovery copy.
TEST_F(MainWindow, lookingAtProgramsIsNoChange)
{
    const Look cases[] = {
        {"opened with a double click",
         [](TForm1 &w) { QTest::mouseDClick(w.PanelList()[0]->StaticText1, Qt::LeftButton); },
         false},
        {"expanded, then folded",
         [](TForm1 &w) {
             QTest::mouseClick(w.PanelList()[1]->SpeedButton2, Qt::LeftButton);
             QTest::mouseClick(w.ProgPanel->SpeedButton2, Qt::LeftButton);
         },
         false},
        {"its title editor opened and left",
         [](TForm1 &w) {
             w.ActualizeOneProg(w.PanelList()[0]);
             w.ProgPanel->StaticText1Click();
             w.ActualizeBVProg();
         },
         false},
        {"changed, then undone",
         [](TForm1 &w) {
             w.ActualizeOneProg(w.PanelList()[1]);
             w.ProgPanel->Image19Click();
             w.undoHistory().undo();
         },
         false},
        {"changed",
         [](TForm1 &w) {
             w.ActualizeOneProg(w.PanelList()[1]);
             w.ProgPanel->Image19Click();
         },
         true},
    };
    addPrograms(2);
    const QDir recovery(dir.filePath("recovery"));
    window->startRecovery(recovery.path(), 3600000);
    for (const Look &c : cases) {
        SCOPED_TRACE(c.why);
        dialogs.fileNames = {dir.filePath("p.prg")};
        window->SaveAs1Click();
        ASSERT_FALSE(window->isChanged());
        c.look(*window);
        EXPECT_EQ(window->isChanged(), c.changes);
        window->writeRecoveryCopy();
        EXPECT_EQ(recovery.entryList({"*.prg"}).size(), c.changes ? 1 : 0);
        dialogs.questions.clear();
        dialogs.answers = {false};
        EXPECT_TRUE(window->AskSaveChanges());
        EXPECT_EQ(dialogs.questions.size(), c.changes ? 1 : 0);
    }
    dialogs.questions.clear();
    dialogs.answers = {false};
    closeWindow();
    EXPECT_EQ(dialogs.questions,
              QStringList{"The current programmation has been modified. Do you want to save "
                          "these changes?"});
    // No still writes the settings, with the project that was open.
    EXPECT_EQ(settingsLines().value(6), dir.filePath("p.prg"));
}

TEST_F(MainWindow, newProjectCancelledKeepsThePrograms)
{
    addPrograms(2);
    dialogs.answers = {false};
    dialogs.onExec = [](QDialog *) { return int(QDialog::Rejected); };
    window->New2Click();
    EXPECT_EQ(window->ProgList().count(), 2);
}

TEST_F(MainWindow, newProjectTakesTheDialogFields)
{
    addPrograms(2);
    dialogs.answers = {false};
    dialogs.onExec = [this](QDialog *dialog) {
        EXPECT_EQ(dialog, window->Form3);
        EXPECT_EQ(window->Form3->findChild<QLineEdit *>("Edit1")->text(), "New Project");
        window->Form3->findChild<QLineEdit *>("Edit1")->setText("Gare Est");
        window->Form3->findChild<QLineEdit *>("Edit3")->setText("Léa");
        return int(QDialog::Accepted);
    };
    window->New2Click();
    EXPECT_TRUE(window->ProgList().isEmpty());
    EXPECT_EQ(window->Project().Name, "Gare Est");
    EXPECT_EQ(window->Project().Author, QStringLiteral("Léa"));
    EXPECT_EQ(window->windowTitle(), "VARNO Programmer : Gare Est");
    EXPECT_TRUE(window->ProjectFileName().isEmpty());
    EXPECT_FALSE(window->isChanged());
}

TEST_F(MainWindow, propertiesAcceptedMarkTheProjectChanged)
{
    dialogs.onExec = [this](QDialog *) {
        window->Form3->findChild<QLineEdit *>("Edit1")->setText("Quai 3");
        return int(QDialog::Accepted);
    };
    window->Property1Click();
    EXPECT_EQ(window->Project().Name, "Quai 3");
    EXPECT_TRUE(window->ProjectModified());
    EXPECT_EQ(window->windowTitle(), "VARNO Programmer : Quai 3");
    dialogs.onExec = [this](QDialog *) {
        window->Form3->findChild<QLineEdit *>("Edit1")->setText("Ignored");
        return int(QDialog::Rejected);
    };
    window->Property1Click();
    EXPECT_EQ(window->Project().Name, "Quai 3");
}

TEST_F(MainWindow, saveAndOpenABusyProject)
{
    addPrograms(3);
    TVARNOProg &p = window->ProgList().at(1);
    p.Title = "Middle";
    p.TimerOn = 1;
    p.ActionKind = {akTimerFile, akExternalOutput, akGoToProgram, 1, 1, 1};
    p.ActionNumber = {4, 9, 3, 0, 0, 0};
    p.ActionValue = {255, 77, 255, 255, 255, 255};
    p.ActionCount = 3;
    window->Project().Name = QStringLiteral("Hall été");
    const QString file = dir.filePath("busy.prg");
    dialogs.fileNames = {file};
    window->Save1Click(); // no file yet: Save As
    EXPECT_EQ(window->ProjectFileName(), file);
    EXPECT_FALSE(window->isChanged());
    const QByteArray saved = readFile(file);

    window->ClearProject();
    dialogs.fileNames = {file};
    window->Open1Click();
    ASSERT_EQ(window->ProgList().count(), 3);
    EXPECT_EQ(window->ProgList().at(1).Title, "Middle");
    EXPECT_EQ(window->ProgList().at(1).ActionValue[1], 77);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("VARNO Programmer : Hall été"));
    EXPECT_EQ(window->SelectedPanel(), window->PanelList().last());
    EXPECT_FALSE(window->isChanged());
    EXPECT_EQ(window->PanelList()[1]->Label1->text().left(7), "Date : ");
    window->Save1Click();
    // Only the date lines that carried a time of day changed.
    QString expected = QString::fromLatin1(saved);
    expected.replace(QRegularExpression(" \\d\\d:\\d\\d:\\d\\d\r\n"), "\r\n");
    EXPECT_EQ(QString::fromLatin1(readFile(file)), expected);
}

// A number the player cannot hold would change at the next save, and of two
// programs under one number the player keeps one: opening says which, once
// each, and a file without any says nothing.
TEST_F(MainWindow, openingWarnsOnceOfNumbersKeptByTheirLowByteOrBorneTwice)
{
    TProject project;
    for (quint8 n : {1, 2, 201})
        project.Programs.Add()->NumOfProg = n;
    const QString file = dir.filePath("narrowed.prg");
    SaveProject(file, project);
    dialogs.fileNames = {file};
    window->Open1Click();
    ASSERT_EQ(numbers(), (QList<int>{1, 2, 201}));
    EXPECT_TRUE(dialogs.warnings.isEmpty());

    QByteArray bytes = readFile(file);
    ASSERT_EQ(bytes.count("\r\n201\r\n"), 1);
    bytes.replace("\r\n201\r\n", "\r\n457\r\n");
    const QString narrowed = dir.filePath("narrowed2.prg");
    writeFile(narrowed, bytes);
    dialogs.fileNames = {narrowed};
    window->Open1Click();
    ASSERT_EQ(numbers(), (QList<int>{1, 2, 201}));
    ASSERT_EQ(dialogs.warnings.size(), 1);
    EXPECT_TRUE(dialogs.warnings[0].contains(": 457 is stored as 201"))
        << dialogs.warnings[0].toStdString();

    dialogs.warnings.clear();
    project.Programs.at(0).NumOfProg = 2;
    project.Programs.Add()->NumOfProg = 201;
    const QString twice = dir.filePath("twice.prg");
    SaveProject(twice, project);
    dialogs.fileNames = {twice};
    window->Open1Click();
    ASSERT_EQ(dialogs.warnings.size(), 1);
    EXPECT_TRUE(dialogs.warnings[0].endsWith(": 2, 201")) << dialogs.warnings[0].toStdString();

    // Flags written with capitals read as no, as the next save writes them.
    dialogs.warnings.clear();
    TProject flagged;
    TVARNOProg &p = *flagged.Programs.Add();
    p.NumOfProg = 7;
    p.Prioritary = 1;
    QByteArray capitals = varno::projectfile::Serialize(flagged);
    ASSERT_EQ(capitals.count("\r\n7\r\nyes\r\nno\r\nyes\r\n"), 1);
    capitals.replace("\r\n7\r\nyes\r\nno\r\nyes\r\n", "\r\n7\r\nYes\r\nno\r\nYES\r\n");
    const QString capitalsFile = dir.filePath("capitals.prg");
    writeFile(capitalsFile, capitals);
    dialogs.fileNames = {capitalsFile};
    window->Open1Click();
    ASSERT_EQ(window->ProgList().count(), 1);
    EXPECT_EQ(window->ProgList().at(0).Prioritary, 0);
    ASSERT_EQ(dialogs.warnings.size(), 1);
    EXPECT_TRUE(dialogs.warnings[0].endsWith(
        "line 16: program 7, Prioritary \"Yes\"\nline 18: program 7, Active \"YES\""))
        << dialogs.warnings[0].toStdString();
}

// A project that does not load leaves the window as New Project does, with no
// file name: Save asks where to write, so the file is never replaced unasked.
TEST_F(MainWindow, aProjectThatDoesNotLoadIsNeverOverwrittenBySave)
{
    QByteArray bytes = varno::projectfile::Serialize(TProject());
    bytes.replace("\r\n0\r\n", "\r\nmany\r\n");
    const QString broken = dir.filePath("broken.prg");
    const QString missing = dir.filePath("missing.prg");
    const auto settingsNaming = [](const QString &file) {
        return "Settings File of VARNO \"Quillon\" Programmer\r\nLanguage :\r\nEnglish\r\n"
               "Com Port selected :\r\nCOM1\r\nLast projet used\r\n" +
               file.toUtf8() + "\r\n";
    };
    const struct
    {
        const char *name;
        std::function<void()> load;
        int errors;
    } cases[] = {
        {"at start-up",
         [&] {
             window.reset();
             writeFile(settingsPath(), settingsNaming(broken));
             start();
         },
         1},
        {"from Open",
         [&] {
             addPrograms(2);
             window->Project().Name = "Current";
             dialogs.answers = {false};
             dialogs.fileNames = {broken};
             window->Open1Click();
         },
         1},
        // Gone at start-up, and back before the first Save.
        {"missing at start-up",
         [&] {
             window.reset();
             QFile::remove(missing);
             writeFile(settingsPath(), settingsNaming(missing));
             start();
             writeFile(missing, bytes);
         },
         0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        writeFile(broken, bytes);
        dialogs.errors.clear();
        c.load();
        EXPECT_EQ(dialogs.errors.size(), c.errors);
        EXPECT_TRUE(window->ProjectFileName().isEmpty());
        EXPECT_TRUE(window->ProgList().isEmpty());
        EXPECT_EQ(window->Project().Name, "New Project");
        EXPECT_EQ(window->windowTitle(), "VARNO Programmer : New Project");
        EXPECT_FALSE(window->isChanged());

        const QString chosen = dir.filePath("chosen.prg");
        dialogs.fileNames = {chosen};
        window->Save1Click();
        EXPECT_TRUE(dialogs.fileNames.empty()); // the save dialog was shown
        EXPECT_EQ(readFile(broken), bytes);
        EXPECT_EQ(window->ProjectFileName(), chosen);
        if (QFile::exists(missing)) {
            EXPECT_EQ(readFile(missing), bytes);
        }
    }
}

TEST_F(MainWindow, failedSaveKeepsTheFlagsAndTheOldFile)
{
    addPrograms(1);
    const QString file = dir.filePath("kept.prg");
    writeFile(file, "old contents");
    window->document().setFileName(file);
    QDir(dir.path()).mkdir("a-directory.prg");
    dialogs.fileNames = {dir.filePath("a-directory.prg")};
    window->SaveAs1Click();
    EXPECT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(window->isChanged());
    EXPECT_EQ(window->ProjectFileName(), file);
    EXPECT_EQ(readFile(file), "old contents");
}

// The commands that ask "Save changes?" before they drop the project.
const struct
{
    const char *name;
    std::function<void(TForm1 &)> run;
} kDroppingCommands[] = {
    {"Open", [](TForm1 &w) { w.Open1Click(); }},
    {"New Project", [](TForm1 &w) { w.New2Click(); }},
    {"Receive", [](TForm1 &w) { w.SpeedButton4Click(); }},
    {"Exit", [](TForm1 &w) { w.Exit1Click(); }},
};

// "Save changes?" answered Yes, and the save did not happen (the disk was full,
// or Save As was cancelled): the command stops and the work stays, still marked
// changed.
TEST_F(MainWindow, commandsStopWhenTheSaveTheUserAskedForDidNotHappen)
{
    const QString other = dir.filePath("other.prg");
    SaveProject(other, TProject());
    for (const auto &command : kDroppingCommands) {
        for (const bool diskFull : {true, false}) {
            SCOPED_TRACE(std::string(command.name) + (diskFull ? ", disk full" : ", cancelled"));
            start();
            addPrograms(2);
            dialogs = FakeDialogs();
            dialogs.answers = {true, true}; // save the changes; then go on with the command
            bool dialogShown = false;
            dialogs.onExec = [&dialogShown](QDialog *) {
                dialogShown = true;
                return int(QDialog::Accepted);
            };
            if (diskFull) {
                window->document().setFileName(other);
                varno::atomicwrite::FailNthWrite(1);
                dialogs.fileNames = {other}; // for the open dialog, should it come
            } else {
                dialogs.fileNames = {QString(), other}; // Save As cancelled, then Open
            }
            command.run(*window);
            varno::atomicwrite::FailNthWrite(0);

            EXPECT_EQ(dialogs.questions.size(), 1);
            EXPECT_FALSE(dialogShown);
            EXPECT_EQ(window->ProgList().count(), 2);
            EXPECT_EQ(window->PanelList().size(), 2);
            EXPECT_TRUE(window->isChanged());
            EXPECT_TRUE(window->isVisible());
            if (diskFull) {
                ASSERT_EQ(dialogs.errors.size(), 1);
                EXPECT_TRUE(dialogs.errors[0].endsWith(diskFullText())) << dialogs.errors[0];
                EXPECT_EQ(window->ProjectFileName(), other);
            } else {
                EXPECT_TRUE(window->ProjectFileName().isEmpty());
            }
        }
    }
}

// "Save changes?" closed with Escape or the box's close button: neither saved
// nor dropped, the command stops; the file and the recovery copy stay as they were.
TEST_F(MainWindow, commandsStopWhenTheSaveQuestionIsClosedUnanswered)
{
    const QString file = dir.filePath("gare.prg");
    const QString other = dir.filePath("other.prg");
    SaveProject(other, TProject());
    for (const auto &command : kDroppingCommands) {
        SCOPED_TRACE(command.name);
        const QDir recovery(dir.filePath(QStringLiteral("recovery ") + command.name));
        start();
        window->startRecovery(recovery.path(), 10);
        TProject project;
        project.Programs.Add();
        SaveProject(file, project);
        const QByteArray onDisk = readFile(file);
        dialogs.fileNames = {file};
        window->Open1Click();
        addPrograms(2);
        ASSERT_TRUE(QTest::qWaitFor([&] { return recovery.entryList({"*.prg"}).size() == 1; }));

        dialogs = FakeDialogs();
        dialogs.answers = {TAnswer::Dismissed, true}; // and yes to what the command asks next
        bool dialogShown = false;
        dialogs.onExec = [&dialogShown](QDialog *) {
            dialogShown = true;
            return int(QDialog::Accepted);
        };
        dialogs.fileNames = {other, other};
        command.run(*window);

        EXPECT_EQ(dialogs.questions.size(), 1);
        EXPECT_FALSE(dialogShown);
        EXPECT_TRUE(window->isVisible());
        EXPECT_EQ(window->ProgList().count(), 3);
        EXPECT_EQ(window->PanelList().size(), 3);
        EXPECT_TRUE(window->isChanged());
        EXPECT_EQ(window->ProjectFileName(), file);
        EXPECT_EQ(readFile(file), onDisk);
        EXPECT_EQ(recovery.entryList({"*.prg"}).size(), 1);
    }
}

TEST_F(MainWindow, languageSwitchRecaptionsEverything)
{
    addPrograms(1);
    window->ProgList().at(0).TimerOn = 1;
    window->ProgList().at(0).DateMode = 1;
    window->French1->trigger();
    EXPECT_EQ(window->CurrentLanguage, 1);
    EXPECT_TRUE(window->French1->isChecked());
    EXPECT_EQ(window->File1->text(), "&Fichier");
    EXPECT_EQ(window->PortCOM1->text(), "&COM Port");
    EXPECT_EQ(window->SpeedButton1->toolTip(), QStringLiteral("Créer un nouveau programme"));
    EXPECT_EQ(window->ProgPanel->Label23->text(), "             Activer");
    EXPECT_TRUE(window->PanelList()[0]->Label1->text().startsWith("Tous les jours"));
    window->Espaol1->trigger();
    EXPECT_EQ(window->Transmit1->text(), "&Transferir Programas4");
}

TEST_F(MainWindow, spanishIsRememberedForTheNextStart)
{
    window->Espaol1->trigger();
    closeWindow();
    EXPECT_EQ(settingsLines().value(2), "Spanish");
    start();
    EXPECT_EQ(window->CurrentLanguage, 3);
    EXPECT_TRUE(window->Espaol1->isChecked());
    EXPECT_EQ(window->Help1->text(), "Ayuda");
}

TEST_F(MainWindow, settingsFileCases)
{
    window.reset();
    writeFile(settingsPath(), "Settings File of VARNO \"Quillon\" Programmer\r\nLanguage :\r\n"
                              "english\r\nCom Port selected :\r\nCOM7\r\nLast projet used\r\n\r\n");
    start();
    EXPECT_EQ(window->CurrentLanguage, 1); // only "English" exactly is English
    EXPECT_EQ(window->ComPortName(), "COM7");
    // The mark sits on the port that will be used, not on Com&1.
    EXPECT_FALSE(window->ComItems[0]->isChecked());
    ASSERT_EQ(window->OtherPorts().size(), 1);
    EXPECT_EQ(window->OtherPorts()[0]->text(), "COM7");
    EXPECT_TRUE(window->OtherPorts()[0]->isChecked());
    // Another port chosen, COM7 stays on offer.
    window->ComItems[1]->trigger();
    window->refreshPortMenu();
    ASSERT_EQ(window->OtherPorts().size(), 1);
    EXPECT_EQ(window->OtherPorts()[0]->data().toString(), "COM7");
    EXPECT_FALSE(window->OtherPorts()[0]->isChecked());
    window->OtherPorts()[0]->trigger();
    EXPECT_EQ(window->ComPortName(), "COM7");
    closeWindow();
    EXPECT_EQ(settingsLines().value(4), "COM7");
    EXPECT_EQ(settingsLines().value(2), "French");

    window.reset();
    writeFile(settingsPath(), "x\r\ny\r\nSpanish\r\n");
    start();
    EXPECT_EQ(window->CurrentLanguage, 3);
    // No port line: the first port, marked and used.
    EXPECT_EQ(window->ComPortName(), "COM1");
    EXPECT_TRUE(window->ComItems[0]->isChecked());
    EXPECT_TRUE(window->ProjectFileName().isEmpty());

    // A port name with "&" shows it, instead of underlining the next letter.
    window.reset();
    writeFile(settingsPath(), "x\r\ny\r\nEnglish\r\nz\r\nR&D\r\n");
    start();
    ASSERT_EQ(window->OtherPorts().size(), 1);
    EXPECT_EQ(window->OtherPorts()[0]->iconText(), "R&D");
    EXPECT_EQ(window->OtherPorts()[0]->data().toString(), "R&D");
}

#ifdef Q_OS_UNIX
// A last project that is there but cannot be loaded is reported at start-up like
// any failed load; one that is simply gone is forgotten in silence.
TEST_F(MainWindow, lastProjectThatCannotBeLoadedIsReportedAtStart)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.prg"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath("pipe.prg")).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(dir.filePath("loop.prg"), dir.filePath("loop.prg")));
    const struct
    {
        const char *file;
        int errors;
    } cases[] = {{"folder.prg", 1}, {"pipe.prg", 1}, {"loop.prg", 1}, {"gone.prg", 0}};
    for (const auto &c : cases) {
        window.reset();
        dialogs = FakeDialogs();
        writeFile(settingsPath(), "x\r\ny\r\nEnglish\r\nz\r\nCOM1\r\nw\r\n" +
                                      QFile::encodeName(dir.filePath(c.file)) + "\r\n");
        start();
        ASSERT_EQ(dialogs.errors.size(), c.errors) << c.file;
        if (c.errors) {
            EXPECT_TRUE(dialogs.errors[0].startsWith(dir.filePath(c.file))) << dialogs.errors[0];
        }
        EXPECT_TRUE(window->ProgList().isEmpty());
    }
}
#endif

TEST_F(MainWindow, lastProjectIsOpenedAtStartAndForgottenAfterNewProject)
{
    addPrograms(2);
    const QString file = dir.filePath("last.prg");
    dialogs.fileNames = {file};
    window->SaveAs1Click();
    window->ComItems[2]->trigger();
    closeWindow();
    EXPECT_EQ(settingsLines().value(6), file);
    start();
    EXPECT_EQ(dialogs.errors, QStringList{});
    EXPECT_EQ(window->ProgList().count(), 2);
    EXPECT_EQ(window->ProjectFileName(), file);
    EXPECT_EQ(window->ComPortName(), "COM3");
    EXPECT_TRUE(window->ComItems[2]->isChecked());
    dialogs.answers = {false};
    dialogs.onExec = [](QDialog *) { return int(QDialog::Accepted); };
    window->New2Click();
    closeWindow();
    EXPECT_EQ(settingsLines().value(6), "");
    EXPECT_EQ(settingsLines().size(), 8); // seven lines and the final line end
}

} // namespace
