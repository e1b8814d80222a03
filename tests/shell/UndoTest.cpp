#include <FakeDialogs.h>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeEdit>
#include <editor/ColumnMenu.h>
#include <editor/LittleOneProg.h>
#include <editor/OneProg.h>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <model/ProgramsCsv.h>
#include <model/ProjectFile.h>
#include <shell/Main.h>
#include <shell/ProjectUndo.h>
#include <shell/ProjetProperty.h>
#include <shell/SettingsFile.h>

namespace {

class Undo : public ::testing::Test
{
protected:
    void SetUp() override
    {
        settings = std::make_unique<TSettingsFile>(dir.path(), dir.filePath("config"));
        window = std::make_unique<TForm1>(dialogs, *settings);
        window->show();
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
    void open(int position) { window->ActualizeOneProg(window->PanelList()[position]); }
    // Saving clears the change flags; an undo must set them again.
    void save()
    {
        dialogs.fileNames.push_back(dir.filePath("p.prg"));
        window->SaveAs1Click();
        ASSERT_FALSE(window->isChanged());
    }
    TProjectUndo &history() { return window->undoHistory(); }
    QString undoText() { return history().UndoItem->text(); }
    QString redoText() { return history().RedoItem->text(); }
    bool panelShows(int position)
    {
        return !window->ProgPanel->isHidden() &&
               window->ProgPanel->Prog == &window->ProgList().at(position);
    }

    QTemporaryDir dir;
    FakeDialogs dialogs;
    std::unique_ptr<TSettingsFile> settings;
    std::unique_ptr<TForm1> window;
};

struct PanelEdit
{
    const char *step; // the name the Edit menu gives it
    std::function<void(TForm1 &, FakeDialogs &)> edit;
};

void typeTitle(TFrame2 &panel, const QString &text)
{
    panel.StaticText1Click();
    panel.Edit1->clear();
    QTest::keyClicks(panel.Edit1, text); // key by key: still one step
    panel.Edit1Exit();
}

TEST_F(Undo, eachPanelEditIsOneStepThatUndoesAndRedoesInItsProgram)
{
    const PanelEdit edits[] = {
        {"title of 001", [](TForm1 &w, FakeDialogs &) { typeTitle(*w.ProgPanel, "Quai 3"); }},
        {"comment of 001",
         [](TForm1 &w, FakeDialogs &) {
             w.ProgPanel->Memo1Click();
             QTest::keyClicks(w.ProgPanel->Memo2, "Voie B");
             w.ProgPanel->Memo2Exit();
         }},
        {"colour of 001",
         [](TForm1 &w, FakeDialogs &d) {
             d.colors.push_back(QColor(10, 20, 30));
             w.ProgPanel->Shape8MouseDown();
         }},
        {"activation of 001", [](TForm1 &w, FakeDialogs &) { w.ProgPanel->Image35Click(); }},
        {"priority of 001", [](TForm1 &w, FakeDialogs &) { w.ProgPanel->Image19Click(); }},
        {"timer of 001", [](TForm1 &w, FakeDialogs &) { w.ProgPanel->Image5Click(); }},
        {"date mode of 001", [](TForm1 &w, FakeDialogs &) { w.ProgPanel->Image18Click(); }},
        {"time of 001",
         [](TForm1 &w, FakeDialogs &) {
             w.ProgPanel->DateTimePicker2->setTime(QTime(7, 15));
             w.ProgPanel->DateTimePicker2->setTime(QTime(7, 45)); // spun on: one step
         }},
        {"date of 001",
         [](TForm1 &w, FakeDialogs &) {
             w.ProgPanel->DateTimePicker1->setDate(QDate(2031, 3, 9));
         }},
        {"weekday of 001",
         [](TForm1 &w, FakeDialogs &) { w.ProgPanel->ComboBox2->setCurrentIndex(4); }},
        {"actions of 001",
         [](TForm1 &w, FakeDialogs &) {
             w.ProgPanel->MenuSender = w.ProgPanel->ActionButtons[0];
             w.ProgPanel->ExternalOutputClick(2); // the one kind with a value
         }},
        {"values of 001",
         [](TForm1 &w, FakeDialogs &) {
             w.ProgPanel->MenuSender = w.ProgPanel->ValueButtons[0];
             w.ProgPanel->ValueClick(77);
         }},
        {"number of 001", [](TForm1 &w, FakeDialogs &) { w.SelectAPopUpMenuNumOfProg(9); }},
    };
    addPrograms(2);
    for (const PanelEdit &e : edits) {
        SCOPED_TRACE(e.step);
        open(0);
        const TVARNOProg before = window->ProgList().at(0);
        const int steps = history().stack().count();
        e.edit(*window, dialogs);
        const TVARNOProg after = window->ProgList().at(0);
        ASSERT_FALSE(after == before);
        EXPECT_EQ(history().stack().count(), steps + 1);
        EXPECT_EQ(undoText(), QStringLiteral("Undo: ") + e.step);

        // Undone while another program is open: the edited one opens.
        open(1);
        save();
        history().undo();
        EXPECT_TRUE(window->ProgList().at(0) == before);
        EXPECT_TRUE(panelShows(0));
        EXPECT_TRUE(window->isChanged());
        EXPECT_EQ(redoText(), QStringLiteral("Redo: ") + e.step);

        open(1);
        save();
        history().redo();
        EXPECT_TRUE(window->ProgList().at(0) == after);
        EXPECT_TRUE(panelShows(0));
        EXPECT_TRUE(window->isChanged());
    }
}

// Ctrl+Z in the title editor undoes typing there; the project's history
// takes Ctrl+Z once no editor has the keys.
TEST_F(Undo, keysUndoAndRedoTheProjectOutsideTheEditors)
{
    addPrograms(1);
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    TFrame2 &panel = *window->ProgPanel;
    window->ProgList().at(0).Title = QStringLiteral("Gate "); // typed after, not over "..."
    panel.ShowProg();
    const QString title = window->ProgList().at(0).Title;
    panel.StaticText1Click();
    QTest::keyClicks(panel.Edit1, "ab");
    QTest::keyClick(panel.Edit1, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(panel.Edit1->text(), title);
    EXPECT_EQ(window->ProgList().count(), 1);
    QTest::keyClicks(panel.Edit1, "Quai");
    QTest::keyClick(panel.Edit1, Qt::Key_Return);
    ASSERT_EQ(window->ProgList().at(0).Title, title + "Quai");

    window->ScrollBox1->setFocus();
    QTest::keyClick(window->ScrollBox1, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(window->ProgList().at(0).Title, title);
    QTest::keyClick(window->ScrollBox1, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(window->ProgList().at(0).Title, title + "Quai");
    history().undo();
    QTest::keyClick(window->ScrollBox1, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(window->ProgList().at(0).Title, title + "Quai");
}

TEST_F(Undo, anEditorLeftUnchangedOrAnOpenedProgramIsNoStep)
{
    addPrograms(1);
    const int steps = history().stack().count();
    window->ProgPanel->StaticText1Click();
    window->ProgPanel->Edit1Exit();
    window->ActualizeBVProg();
    open(0);
    EXPECT_EQ(history().stack().count(), steps);
}

TEST_F(Undo, newAndDeletedProgramsComeBackInTheirPlaceWithTheirNumbers)
{
    addPrograms(3);
    window->ProgList().at(1).Title = QStringLiteral("Quai 2");
    EXPECT_EQ(undoText(), "Undo: new program 003");
    window->SelectedPanel() = window->PanelList()[1];
    window->DeleteSelectedProg();
    ASSERT_EQ(numbers(), (QList<int>{1, 3}));
    EXPECT_EQ(undoText(), "Undo: deletion of 002");

    save();
    history().undo();
    EXPECT_EQ(numbers(), (QList<int>{1, 2, 3}));
    EXPECT_EQ(window->ProgList().at(1).Title, "Quai 2");
    EXPECT_EQ(window->PanelList().size(), 3);
    EXPECT_EQ(window->PanelList()[1]->Prog, &window->ProgList().at(1));
    EXPECT_TRUE(panelShows(1));
    EXPECT_TRUE(window->isChanged());
    // Its number is taken again: the number menu no longer offers it.
    EXPECT_FALSE(window->ProgPanel->PopupMenu3->items()[1]->isEnabled());

    save();
    history().redo();
    EXPECT_EQ(numbers(), (QList<int>{1, 3}));
    EXPECT_TRUE(window->isChanged());

    history().undo(); // the deletion
    history().undo(); // program 3 added
    EXPECT_EQ(numbers(), (QList<int>{1, 2}));
    EXPECT_EQ(redoText(), "Redo: new program 003");
    history().redo();
    EXPECT_EQ(numbers(), (QList<int>{1, 2, 3}));
    EXPECT_TRUE(panelShows(2));
}

TEST_F(Undo, projectPropertiesUndoAndRedo)
{
    dialogs.onExec = [this](QDialog *) {
        window->Form3->findChild<QLineEdit *>("Edit1")->setText("Quai 3");
        return int(QDialog::Accepted);
    };
    window->Property1Click();
    EXPECT_EQ(undoText(), "Undo: project properties");
    save();
    history().undo();
    EXPECT_EQ(window->Project().Name, "New Project");
    EXPECT_EQ(window->windowTitle(), "VARNO Programmer : New Project");
    EXPECT_TRUE(window->isChanged());
    history().redo();
    EXPECT_EQ(window->Project().Name, "Quai 3");
    // Named in the language chosen since.
    window->French1Click();
    EXPECT_EQ(undoText(), "Annuler : propriétés du projet");
}

TEST_F(Undo, openAndNewProjectClearTheHistory)
{
    addPrograms(2);
    save();
    addPrograms(1);
    ASSERT_TRUE(history().UndoItem->isEnabled());
    dialogs.answers = {false}; // the changes are not saved
    dialogs.fileNames.push_back(dir.filePath("p.prg"));
    window->Open1Click();
    ASSERT_EQ(numbers(), (QList<int>{1, 2}));
    EXPECT_EQ(history().stack().count(), 0);
    EXPECT_FALSE(history().UndoItem->isEnabled());
    EXPECT_EQ(undoText(), "Undo");

    addPrograms(1);
    dialogs.answers = {false};
    dialogs.onExec = [](QDialog *) { return int(QDialog::Accepted); };
    window->New2Click();
    ASSERT_TRUE(window->ProgList().isEmpty());
    EXPECT_EQ(history().stack().count(), 0);
}

struct ImportChoice
{
    const char *why;
    std::deque<int> choices; // none: the default button
    QList<int> after;        // numbers after the import
    const char *step;        // its name in the Edit menu, none when nothing was imported
};

// The import question offers Add first, as its default: a project is replaced
// only when the user says so, and either way the import is one step.
TEST_F(Undo, anImportAddsByDefaultAndIsOneStep)
{
    TProgList imported;
    for (int n : {1, 7})
        imported.Add()->NumOfProg = quint8(n);
    QFile csv(dir.filePath("import.csv"));
    ASSERT_TRUE(csv.open(QIODevice::WriteOnly));
    csv.write(varno::programscsv::Export(imported));
    csv.close();
    const ImportChoice cases[] = {
        {"the default", {}, {1, 2, 3, 4, 7}, "import of 2 programs added"},
        {"Replace", {1}, {1, 7}, "import of 2 programs in place of the others"},
        {"Cancel or Escape", {-1}, {1, 2, 3}, nullptr},
    };
    for (const ImportChoice &c : cases) {
        SCOPED_TRACE(c.why);
        dialogs.answers = {false};
        dialogs.onExec = [](QDialog *) { return int(QDialog::Accepted); };
        window->New2Click();
        addPrograms(3);
        window->ProgList().at(1).Title = QStringLiteral("Quai 2");
        const int steps = history().stack().count();
        dialogs.fileNames.push_back(csv.fileName());
        dialogs.choices = c.choices;
        dialogs.choiceButtons.clear();
        window->ImportCsv1Click();
        ASSERT_EQ(dialogs.choiceButtons, QList<QStringList>{(QStringList{"&Add", "&Replace"})});
        EXPECT_EQ(numbers(), c.after);
        EXPECT_EQ(window->PanelList().size(), c.after.size());
        if (!c.step) {
            EXPECT_EQ(history().stack().count(), steps);
            continue;
        }
        EXPECT_EQ(history().stack().count(), steps + 1);
        EXPECT_EQ(undoText(), QStringLiteral("Undo: ") + c.step);
        save();
        history().undo();
        EXPECT_EQ(numbers(), (QList<int>{1, 2, 3}));
        EXPECT_EQ(window->ProgList().at(1).Title, "Quai 2");
        EXPECT_EQ(window->PanelList().size(), 3);
        EXPECT_EQ(window->PanelList()[1]->Prog, &window->ProgList().at(1));
        EXPECT_TRUE(window->isChanged());
        history().undo(); // the step before the import: program 3 added
        EXPECT_EQ(numbers(), (QList<int>{1, 2}));
        history().redo();
        history().redo();
        EXPECT_EQ(numbers(), c.after);
        dialogs.warnings.clear();
    }
}

struct AddingImport
{
    const char *why;
    QList<int> numbers;      // of the opened file
    QList<int> deletes;      // positions deleted in turn before the import
    QList<int> importedOnes; // numbers of the imported programs
};

// Undoing and redoing after programs are added by an import never gives a
// number twice and never touches a program the steps were not about.
TEST_F(Undo, afterAnAddingImportUndoAndRedoLeaveOnlyTheProgramsThere)
{
    QList<int> all;
    for (int n = 1; n <= TProgList::MaxPrograms; ++n)
        all << n;
    const AddingImport cases[] = {
        {"the deleted program's number comes back with the import", {1, 2, 5}, {2}, {5}},
        {"the import fills the list the deletions left room in", all, {254, 0}, {1, 2}},
    };
    for (const AddingImport &c : cases) {
        SCOPED_TRACE(c.why);
        TProject project;
        for (int n : c.numbers)
            project.Programs.Add()->NumOfProg = quint8(n);
        const QString prg = dir.filePath(QString::number(c.numbers.size()) + ".prg");
        SaveProject(prg, project);
        ASSERT_TRUE(window->LoadProjectFile(prg));
        for (int position : c.deletes) {
            window->SelectedPanel() = window->PanelList()[position];
            window->DeleteSelectedProg();
        }
        const QList<int> kept = numbers();

        TProgList imported;
        for (int n : c.importedOnes)
            imported.Add()->NumOfProg = quint8(n);
        QFile csv(dir.filePath("import.csv"));
        ASSERT_TRUE(csv.open(QIODevice::WriteOnly));
        csv.write(varno::programscsv::Export(imported));
        csv.close();
        dialogs.fileNames.push_back(csv.fileName());
        dialogs.choices = {0}; // add
        window->ImportCsv1Click();
        const QList<int> afterImport = numbers();
        ASSERT_EQ(afterImport.size(), kept.size() + c.importedOnes.size());

        for (const auto &move : {&TProjectUndo::undo, &TProjectUndo::redo}) {
            (history().*move)();
            const QList<int> now = numbers();
            EXPECT_EQ(QSet<int>(now.begin(), now.end()).size(), now.size()) << now.size();
            for (int n : kept)
                EXPECT_TRUE(now.contains(n)) << n;
            EXPECT_EQ(window->PanelList().size(), now.size());
        }
        dialogs.warnings.clear();
    }
}

struct UnappliableStep
{
    const char *step;
    std::function<void(TForm1 &)> before; // the steps, then a change they do not know of
    bool undoing;
};

// A step whose program is not where the history left it is refused with a
// message, and the project and the history's place stay as they were.
TEST_F(Undo, aStepThatFindsNoProgramToApplyToIsRefusedAndNotCountedDone)
{
    const auto deleteAt = [](TForm1 &w, int position) {
        w.SelectedPanel() = w.PanelList()[position];
        w.DeleteSelectedProg();
    };
    const UnappliableStep cases[] = {
        {"new program 003", [](TForm1 &w) { w.ProgList().at(2).NumOfProg = 9; }, true},
        {"deletion of 002",
         [&](TForm1 &w) {
             deleteAt(w, 1);
             w.ProgList().at(0).NumOfProg = 2;
         },
         true},
        {"deletion of 001",
         [&](TForm1 &w) {
             deleteAt(w, 0);
             w.undoHistory().undo();
             w.ProgList().at(0).NumOfProg = 7;
         },
         false},
        {"title of 002",
         [](TForm1 &w) {
             w.ActualizeOneProg(w.PanelList()[1]);
             typeTitle(*w.ProgPanel, "Quai 3");
             w.ProgList().at(1).NumOfProg = 8;
         },
         true},
        // A number given back after another program has taken it: two programs
        // would bear it.
        {"number of 001",
         [](TForm1 &w) {
             w.ActualizeOneProg(w.PanelList()[0]);
             w.SelectAPopUpMenuNumOfProg(9);
             w.ProgList().at(2).NumOfProg = 1;
         },
         true},
        {"number of 001",
         [](TForm1 &w) {
             w.ActualizeOneProg(w.PanelList()[0]);
             w.SelectAPopUpMenuNumOfProg(9);
             w.undoHistory().undo();
             w.ProgList().at(2).NumOfProg = 9;
         },
         false},
        {"number of 003",
         [&](TForm1 &w) {
             TVARNOProg &jumping = w.ProgList().at(1);
             jumping.ActionKind[0] = akGoToProgram;
             jumping.ActionNumber[0] = 3;
             w.ActualizeOneProg(w.PanelList()[2]);
             dialogs.answers = {true}; // program 2 follows to 20
             w.SelectAPopUpMenuNumOfProg(20);
             w.ProgList().at(0).NumOfProg = 3;
         },
         true},
        {"number of 003",
         [&](TForm1 &w) {
             TVARNOProg &jumping = w.ProgList().at(1);
             jumping.ActionKind[0] = akGoToProgram;
             jumping.ActionNumber[0] = 3;
             w.ActualizeOneProg(w.PanelList()[2]);
             dialogs.answers = {true};
             w.SelectAPopUpMenuNumOfProg(20);
             w.undoHistory().undo();
             w.ProgList().at(0).NumOfProg = 20;
         },
         false},
    };
    for (const UnappliableStep &c : cases) {
        SCOPED_TRACE(c.step);
        dialogs.answers = {false};
        dialogs.onExec = [](QDialog *) { return int(QDialog::Accepted); };
        window->New2Click();
        addPrograms(3);
        c.before(*window);
        const QList<int> before = numbers();
        const int index = history().stack().index();
        dialogs.warnings.clear();
        if (c.undoing)
            history().undo();
        else
            history().redo();
        EXPECT_EQ(numbers(), before);
        EXPECT_EQ(history().stack().index(), index);
        const QList<int> now = numbers();
        EXPECT_EQ(QSet<int>(now.begin(), now.end()).size(), now.size()); // no number twice
        ASSERT_EQ(dialogs.warnings.size(), 1);
        EXPECT_TRUE(dialogs.warnings[0].contains(c.step)) << dialogs.warnings[0].toStdString();
    }
}

struct Renumbering
{
    const char *answer;
    bool follow;
    int jumpsTo; // where programs 1 and 2 go after the renumbering
};

// Programs that go to a number a renumbering leaves free may follow it, in the
// renumbering's own step; the go-to menu shows which numbers programs bear.
TEST_F(Undo, aRenumberingTakesTheJumpsToItsNumberAlongInOneStep)
{
    addPrograms(3);
    for (int position : {0, 1}) {
        TVARNOProg &p = window->ProgList().at(position);
        p.ActionKind[0] = akGoToProgram;
        p.ActionNumber[0] = 3;
    }
    const auto jumps = [this] {
        return QList<int>{window->ProgList().at(0).ActionNumber[0],
                          window->ProgList().at(1).ActionNumber[0]};
    };
    const Renumbering cases[] = {{"Yes", true, 20}, {"No", false, 3}};
    for (const Renumbering &c : cases) {
        SCOPED_TRACE(c.answer);
        open(2);
        save();
        const int steps = history().stack().index();
        dialogs.questions.clear();
        dialogs.answers = {c.follow};
        window->SelectAPopUpMenuNumOfProg(20);
        EXPECT_EQ(dialogs.questions,
                  QStringList{"Programs 001, 002 go to program 003, which no program bears any "
                              "more. Make them go to program 020?"});
        EXPECT_EQ(numbers(), (QList<int>{1, 2, 20}));
        EXPECT_EQ(jumps(), (QList<int>{c.jumpsTo, c.jumpsTo}));
        EXPECT_EQ(history().stack().index(), steps + 1);
        EXPECT_EQ(undoText(), "Undo: number of 003");

        history().undo();
        EXPECT_EQ(numbers(), (QList<int>{1, 2, 3}));
        EXPECT_EQ(jumps(), (QList<int>{3, 3}));
        EXPECT_TRUE(panelShows(2));
        history().redo();
        EXPECT_EQ(numbers(), (QList<int>{1, 2, 20}));
        EXPECT_EQ(jumps(), (QList<int>{c.jumpsTo, c.jumpsTo}));
        history().undo();
    }

    window->ProgList().at(0).Title = QStringLiteral("Quai 1");
    emit window->ProgPanel->PopupMenu1->aboutToShow();
    const QList<QAction *> &goTo = window->ProgPanel->GoToProgramMenu->items();
    EXPECT_EQ(goTo[0]->text(), QStringLiteral("001 \u25CF"));
    EXPECT_EQ(goTo[0]->toolTip(), "Quai 1");
    EXPECT_EQ(goTo[2]->text(), QStringLiteral("003 \u25CF"));
    EXPECT_EQ(goTo[3]->text(), "004");
}

TEST_F(Undo, theHistoryKeepsTheLastThousandSteps)
{
    addPrograms(1);
    for (int i = 0; i < TProjectUndo::StepLimit + 5; ++i)
        window->ProgPanel->Image19Click();
    EXPECT_EQ(history().stack().count(), TProjectUndo::StepLimit);
    while (history().stack().canUndo())
        history().undo();
    // The oldest steps (the program added, the first toggles) are gone.
    EXPECT_EQ(window->ProgList().count(), 1);
    EXPECT_EQ(window->ProgList().at(0).Prioritary, 1);
}

} // namespace
