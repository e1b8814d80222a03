#include <FakeDialogs.h>
#include <QClipboard>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateEdit>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimeEdit>
#include <QToolTip>
#include <QtPrinters.h>
#include <editor/ColumnMenu.h>
#include <editor/OneProg.h>
#include <gtest/gtest.h>
#include <model/Clock.h>
#include <model/ProjectClasses.h>
#include <text/text.h>

namespace {

// One panel, built once like the application's, bound to a fresh program.
class ProgramPanel : public ::testing::Test
{
protected:
    void SetUp() override
    {
        panel.setDialogs(&dialogs);
        panel.BuildMenus();
        panel.Modified = false;
        panel.show();
        bind();
    }

    void bind()
    {
        panel.Prog = &prog;
        panel.ClearActions();
        panel.ShowProg();
    }

    static bool shows(const TImage *image, const TImage *holder)
    {
        return image->pixmap().cacheKey() == holder->pixmap().cacheKey();
    }

    QStringList visibleActions() const
    {
        QStringList captions;
        for (TSpeedButton *b : panel.ActionButtons) {
            if (!b->isHidden())
                captions << b->text();
        }
        return captions;
    }

    static void click(QWidget *widget)
    {
        QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
    }

    // Opens the action menu of slot s as the user does, then chooses the item.
    void chooseAction(int slot, QAction *item)
    {
        click(panel.ActionButtons[std::size_t(slot - 1)]);
        ASSERT_TRUE(panel.PopupMenu1->isVisible());
        panel.PopupMenu1->close();
        item->trigger();
    }

    void chooseTopLevel(int slot, int index)
    {
        chooseAction(slot, panel.PopupMenu1->actions().at(index));
    }

    varno::ScopedFixedClock clock{QDateTime(QDate(2026, 12, 7), QTime(12, 34))};
    FakeDialogs dialogs;
    TFrame2 panel;
    TVARNOProg prog;
};

TEST_F(ProgramPanel, freshProgramShowsItsDefaults)
{
    EXPECT_EQ(panel.StaticText6->text(), "001");
    EXPECT_EQ(panel.StaticText1->text(), "...");
    EXPECT_EQ(panel.Shape8->brush(), QColor(0, 0x80, 0x80));
    EXPECT_TRUE(shows(panel.Image35, panel.Image33)); // green tick
    EXPECT_TRUE(shows(panel.Image19, panel.Image21));
    EXPECT_TRUE(shows(panel.Image5, panel.Image21));
    EXPECT_TRUE(shows(panel.Image16, panel.Image20)); // on the date
    EXPECT_TRUE(shows(panel.Image17, panel.Image21));
    EXPECT_EQ(panel.ComboBox2->currentText(), "Monday");
    EXPECT_EQ(visibleActions(), QStringList{"Directory : SONG"});
    EXPECT_EQ(panel.Memo1->toPlainText(), "...");
    EXPECT_EQ(panel.DateTimePicker1->date(), QDate(2026, 12, 7));
    EXPECT_EQ(panel.DateTimePicker2->time(), QTime(12, 34));
    EXPECT_TRUE(panel.Modified);
    for (TSpeedButton *value : panel.ValueButtons)
        EXPECT_TRUE(value->isHidden());
}

TEST_F(ProgramPanel, offeredSlotFollowsOnlyNonEndingActions)
{
    prog.ActionKind[0] = akTimerFile;
    prog.ActionNumber[0] = 1;
    panel.ShowProg();
    EXPECT_EQ(visibleActions(), (QStringList{"Timer File : T001", "No Action..."}));
    for (quint8 ending : {akDirectory, akSleepMode, akGoToProgram, akFtpClient}) {
        prog.ActionKind[0] = ending;
        panel.ShowProg();
        EXPECT_EQ(visibleActions().size(), 1) << int(ending);
    }
}

TEST_F(ProgramPanel, zeroActionsShowTheEmptyState)
{
    prog.ActionCount = 0;
    prog.ActionKind[0] = akVolume;
    panel.ShowProg();
    EXPECT_EQ(visibleActions(), QStringList{"Directory : SONG"});
}

TEST_F(ProgramPanel, externalOutputHasItsValueButton)
{
    prog.ActionKind[0] = akExternalOutput;
    prog.ActionNumber[0] = 17;
    prog.ActionValue[0] = 128;
    panel.ShowProg();
    EXPECT_FALSE(panel.ValueButtons[0]->isHidden());
    EXPECT_EQ(panel.ValueButtons[0]->text(), "Value : 128");
    chooseTopLevel(1, 5); // volume sub-menu item chosen below
    panel.VolumeMenu->itemAt(3)->trigger();
    EXPECT_TRUE(panel.ValueButtons[0]->isHidden());
    EXPECT_EQ(prog.ActionValue[0], 255);
}

TEST_F(ProgramPanel, inputBitsShowTheProgramNumber)
{
    const auto pattern = [this](quint8 number) {
        prog.NumOfProg = number;
        panel.ShowProg();
        QString bits;
        for (TImage *bit : panel.InputBits)
            bits += shows(bit, panel.Image23) ? '1' : shows(bit, panel.Image22) ? '0' : '?';
        return bits;
    };
    EXPECT_EQ(pattern(255), "11111111");
    EXPECT_EQ(pattern(1), "00000001");
    EXPECT_EQ(pattern(128), "10000000");
    EXPECT_EQ(pattern(5), "00000101");
    EXPECT_EQ(panel.StaticText6->text(), "005");
}

TEST_F(ProgramPanel, actionMenuOfSlotOneHasNoActionDisabled)
{
    click(panel.ActionButtons[0]);
    EXPECT_FALSE(panel.PopupMenu1->actions().at(0)->isEnabled());
    EXPECT_EQ(panel.MenuSender, panel.ActionButtons[0]);
    panel.PopupMenu1->close();
    chooseAction(1, panel.TimerFileMenu->itemAt(6));
    EXPECT_EQ(prog.ActionKind[0], akTimerFile);
    EXPECT_EQ(prog.ActionNumber[0], 7);
    EXPECT_EQ(prog.ActionCount, 1);
    EXPECT_EQ(visibleActions(), (QStringList{"Timer File : T007", "No Action..."}));
    click(panel.ActionButtons[1]);
    EXPECT_TRUE(panel.PopupMenu1->actions().at(0)->isEnabled());
    panel.PopupMenu1->close();
}

// The folder glyph before an action is part of it: a click opens the same menu,
// for the same slot; before a row that offers nothing it does nothing.
TEST_F(ProgramPanel, theFolderGlyphOfARowOpensItsActionMenu)
{
    chooseAction(1, panel.TimerFileMenu->itemAt(6)); // slot 2 offered, 3..6 hidden
    struct Case
    {
        int slot;
        bool opens;
    };
    for (const Case c : {Case{1, true}, Case{2, true}, Case{3, false}, Case{6, false}}) {
        SCOPED_TRACE(c.slot);
        TImage *glyph = panel.ActionGlyphs[std::size_t(c.slot - 1)];
        ASSERT_NE(glyph, nullptr);
        EXPECT_EQ(glyph->objectName(), QStringLiteral("Image%1").arg(9 + c.slot));
        panel.MenuSender = nullptr;
        click(glyph);
        EXPECT_EQ(panel.PopupMenu1->isVisible(), c.opens);
        EXPECT_EQ(panel.MenuSender,
                  c.opens ? panel.ActionButtons[std::size_t(c.slot - 1)] : nullptr);
        EXPECT_EQ(glyph->toolTip(), QStringLiteral("Choose action %1").arg(c.slot));
        panel.PopupMenu1->close();
    }
}

TEST_F(ProgramPanel, goToProgramEndsTheList)
{
    prog.ActionKind = {akTimerFile, akVolume, 1, 1, 1, 1};
    prog.ActionNumber = {1, 5, 0, 0, 0, 0};
    prog.ActionCount = 2;
    panel.ShowProg();
    EXPECT_EQ(visibleActions().size(), 3);
    chooseAction(3, panel.GoToProgramMenu->itemAt(8));
    EXPECT_EQ(prog.ActionCount, 3);
    EXPECT_EQ(visibleActions(),
              (QStringList{"Timer File : T001", "Volume : -05 dB", "Go To Program :  009"}));
}

TEST_F(ProgramPanel, recountAfterSlotOneHidesARealActionInSlotTwo)
{
    prog.ActionKind = {akTimerFile, akDirectory, 1, 1, 1, 1};
    prog.ActionNumber = {1, 5, 0, 0, 0, 0};
    prog.ActionCount = 2;
    panel.ShowProg();
    EXPECT_EQ(visibleActions(), (QStringList{"Timer File : T001", "Directory : F005"}));
    chooseAction(1, panel.TimerFileMenu->itemAt(2));
    EXPECT_EQ(prog.ActionCount, 1);
    EXPECT_EQ(prog.ActionNumber[1], 5); // still in the record
    EXPECT_EQ(visibleActions(), (QStringList{"Timer File : T003", "No Action..."}));
    chooseAction(2, panel.VolumeMenu->itemAt(10));
    EXPECT_EQ(prog.ActionKind[1], akVolume);
    EXPECT_EQ(prog.ActionCount, 2);
}

TEST_F(ProgramPanel, noActionOnSlotThreeOfFiveEmptiesTheRest)
{
    prog.ActionKind = {akTimerFile, akVolume, akTransport, akInternalOutput, akTimerFile, 1};
    prog.ActionNumber = {1, 2, 3, 4, 5, 0};
    prog.ActionCount = 5;
    panel.ShowProg();
    chooseTopLevel(3, 0);
    EXPECT_EQ(prog.ActionCount, 2);
    EXPECT_EQ(prog.ActionKind, (std::array<quint8, 6>{akTimerFile, akVolume, 1, 1, 1, 1}));
    EXPECT_EQ(prog.ActionNumber, (std::array<quint8, 6>{1, 2, 0, 0, 0, 0}));
    EXPECT_EQ(visibleActions(),
              (QStringList{"Timer File : T001", "Volume : -02 dB", "No Action..."}));
}

TEST_F(ProgramPanel, externalOutputValueRules)
{
    prog.ActionKind[0] = akTimerFile;
    prog.ActionValue[0] = 255;
    panel.ShowProg();
    chooseAction(1, panel.ExternalOutputMenu->itemAt(0));
    EXPECT_EQ(panel.ValueButtons[0]->text(), "Value : 255");
    click(panel.ValueButtons[0]);
    ASSERT_TRUE(panel.PopupMenu2->isVisible());
    panel.PopupMenu2->close();
    panel.PopupMenu2->itemAt(42)->trigger();
    EXPECT_EQ(prog.ActionValue[0], 42);
    EXPECT_EQ(panel.ValueButtons[0]->text(), "Value : 042");
    chooseAction(1, panel.ExternalOutputMenu->itemAt(9));
    EXPECT_EQ(prog.ActionNumber[0], 10);
    EXPECT_EQ(prog.ActionValue[0], 42); // another output keeps the value
    chooseAction(1, panel.SendEMailMenu->itemAt(0));
    EXPECT_EQ(prog.ActionValue[0], 255);
}

TEST_F(ProgramPanel, flagAndModeClicksToggleAndRedraw)
{
    click(panel.Image35);
    EXPECT_EQ(prog.Active, 0);
    EXPECT_TRUE(shows(panel.Image35, panel.Image21));
    click(panel.Image19);
    EXPECT_EQ(prog.Prioritary, 1);
    EXPECT_TRUE(shows(panel.Image19, panel.Image20));
    click(panel.Image5);
    EXPECT_EQ(prog.TimerOn, 1);
    EXPECT_TRUE(shows(panel.Image5, panel.Image33));
    click(panel.Image18);
    EXPECT_EQ(prog.DateMode, 2);
    EXPECT_TRUE(shows(panel.Image18, panel.Image20));
    EXPECT_TRUE(shows(panel.Image16, panel.Image21));
    click(panel.Image17);
    EXPECT_EQ(prog.DateMode, 1);
}

TEST_F(ProgramPanel, outsideValuesAreShownNotRefused)
{
    prog.ActionKind[0] = 7;
    prog.DateMode = 5;
    prog.WeekDay = 9;
    prog.ActionCount = 9;
    panel.ShowProg();
    EXPECT_EQ(panel.ActionButtons[0]->text(), "Unknown Command");
    EXPECT_TRUE(shows(panel.Image16, panel.Image20));
    EXPECT_EQ(panel.ComboBox2->currentIndex(), -1);
    EXPECT_EQ(prog.WeekDay, 9); // showing it did not write it back
    prog.ActionKind[0] = akTransport;
    prog.ActionNumber[0] = 77;
    panel.ShowProg();
    EXPECT_EQ(panel.ActionButtons[0]->text(), "Command : Play");
}

TEST_F(ProgramPanel, titleTypedIsStoredByTheNextClick)
{
    click(panel.StaticText1);
    ASSERT_FALSE(panel.Edit1->isHidden());
    panel.Edit1->selectAll();
    QTest::keyClicks(panel.Edit1, "Lunch break");
    EXPECT_EQ(panel.StaticText1->text(), "Lunch break"); // copied while typing
    EXPECT_EQ(prog.Title, "...");
    click(panel.Image17);
    EXPECT_EQ(prog.Title, "Lunch break");
    EXPECT_TRUE(panel.Edit1->isHidden());
    EXPECT_EQ(prog.DateMode, 1);
}

TEST_F(ProgramPanel, enterCommitsTheTitleAndMarksTheProgramChanged)
{
    panel.Modified = false; // as after a save
    click(panel.StaticText1);
    panel.Edit1->setText("Evening");
    QTest::keyClick(panel.Edit1, Qt::Key_Return);
    EXPECT_EQ(prog.Title, "Evening");
    EXPECT_TRUE(panel.Edit1->isHidden());
    EXPECT_TRUE(panel.Modified);
}

TEST_F(ProgramPanel, enterInTheCommentEditorStoresTheComment)
{
    QTest::mouseClick(panel.Memo1->viewport(), Qt::LeftButton);
    ASSERT_FALSE(panel.Memo2->isHidden());
    panel.Memo2->selectAll();
    QTest::keyClicks(panel.Memo2, "Doors open");
    QTest::keyClick(panel.Memo2, Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_TRUE(panel.Memo2->isHidden());
    EXPECT_EQ(prog.Comment, QStringList{"Doors open"});
    EXPECT_EQ(panel.Memo1->toPlainText(), "Doors open");
}

struct Typing
{
    const char *why;
    QString title; // and comment, before
    QString typed;
    QString result;
};

// Clicked and typed into as a user does: the "..." a new program holds is
// replaced, any other text is added to.
TEST_F(ProgramPanel, typingOverThePlaceholderReplacesIt)
{
    const Typing cases[] = {
        {"the placeholder", "...", "Opening", "Opening"},
        {"a title of the user's", "Gate", " 3", "Gate 3"},
        {"more dots than the placeholder", "....", "x", "....x"},
    };
    for (const Typing &c : cases) {
        SCOPED_TRACE(c.why);
        prog.Title = c.title;
        prog.Comment = QStringList{c.title};
        bind();
        QTest::mouseClick(panel.StaticText1, Qt::LeftButton);
        ASSERT_FALSE(panel.Edit1->isHidden());
        QTest::keyClicks(panel.Edit1, c.typed);
        QTest::keyClick(panel.Edit1, Qt::Key_Return);
        EXPECT_EQ(prog.Title, c.result);
        QTest::mouseClick(panel.Memo1->viewport(), Qt::LeftButton);
        ASSERT_FALSE(panel.Memo2->isHidden());
        QTest::keyClicks(panel.Memo2, c.typed);
        QTest::keyClick(panel.Memo2, Qt::Key_Return);
        EXPECT_EQ(prog.Comment, QStringList{c.result});
    }
}

TEST_F(ProgramPanel, commentEditorRefusesThe129thCharacter)
{
    QTest::mouseClick(panel.Memo1->viewport(), Qt::LeftButton);
    panel.Memo2->selectAll();
    QTest::keyClicks(panel.Memo2, QString(128, QLatin1Char('a')));
    EXPECT_EQ(panel.Memo2->toPlainText().size(), 128);
    QTest::keyClicks(panel.Memo2, "b");
    EXPECT_EQ(panel.Memo2->toPlainText(), QString(128, QLatin1Char('a')));
    panel.ValidateEdits();
    EXPECT_EQ(prog.Comment, QStringList{QString(128, QLatin1Char('a'))});
}

// Title and comment go to a Windows-1252 project file: a typed character it
// cannot hold is refused, a paste keeps what it can hold, and a hint says why.
TEST_F(ProgramPanel, titleAndCommentTakeOnlyWhatTheProjectFileCanHold)
{
    panel.Language = text::Spanish;
    const auto typeAndPaste = [](QWidget *editor, auto paste) {
        for (const QString typed : {"Z", "o", "\u00eb", " ", "\u03a9"})
            QTest::sendKeyEvent(QTest::Click, editor, Qt::Key_unknown, typed, Qt::NoModifier);
        QGuiApplication::clipboard()->setText(
            QStringLiteral("\u20ac \u03a9 \u65e5\u672c \U0001F600!"));
        paste();
        EXPECT_EQ(QToolTip::text(),
                  text::Text(text::AddedTexts::UnstorableCharacters, text::Spanish));
    };
    const QString kept = QStringLiteral("Zo\u00eb \u20ac   !");

    click(panel.StaticText1);
    panel.Edit1->selectAll();
    typeAndPaste(panel.Edit1, [this] { panel.Edit1->paste(); });
    QTest::keyClick(panel.Edit1, Qt::Key_Return);
    EXPECT_EQ(prog.Title, kept);

    QTest::mouseClick(panel.Memo1->viewport(), Qt::LeftButton);
    panel.Memo2->selectAll();
    typeAndPaste(panel.Memo2, [this] { panel.Memo2->paste(); });
    EXPECT_EQ(panel.Memo1->toPlainText(), kept); // the viewer never showed more
    panel.ValidateEdits();
    EXPECT_EQ(prog.Comment, QStringList{kept});
}

TEST_F(ProgramPanel, aLongCommentFromAFileSurvivesTheEditor)
{
    const QString longLine(200, QLatin1Char('x'));
    prog.Comment = QStringList{longLine};
    panel.ShowProg();
    QTest::mouseClick(panel.Memo1->viewport(), Qt::LeftButton);
    EXPECT_EQ(panel.Memo2->toPlainText(), longLine);
    QTest::keyClicks(panel.Memo2, "y");              // growing it is refused
    QTest::keyClick(panel.Memo2, Qt::Key_Backspace); // shortening it is not
    panel.ValidateEdits();
    EXPECT_EQ(prog.Comment, QStringList{QString(199, QLatin1Char('x'))});
}

TEST_F(ProgramPanel, aContextMenuOrAnotherWindowDoesNotCloseAnEditor)
{
    QTest::mouseClick(panel.Memo1->viewport(), Qt::LeftButton);
    panel.Memo2->setPlainText("typed");
    for (Qt::FocusReason reason : {Qt::PopupFocusReason, Qt::ActiveWindowFocusReason}) {
        QFocusEvent out(QEvent::FocusOut, reason);
        QCoreApplication::sendEvent(panel.Memo2, &out);
        EXPECT_FALSE(panel.Memo2->isHidden()) << reason;
    }
    QFocusEvent leave(QEvent::FocusOut, Qt::MouseFocusReason);
    QCoreApplication::sendEvent(panel.Memo2, &leave);
    EXPECT_TRUE(panel.Memo2->isHidden());
    EXPECT_EQ(prog.Comment, QStringList{"typed"});
}

TEST_F(ProgramPanel, countsAboveSixStopAtSlotFive)
{
    prog.ActionKind = {akTimerFile, akTimerFile, akTimerFile,
                       akTimerFile, akTimerFile, akTimerFile};
    prog.ActionCount = 9;
    panel.ShowProg();
    EXPECT_EQ(visibleActions().size(), 6);
    EXPECT_EQ(visibleActions().last(), "No Action..."); // slot 6 offered, not shown
    prog.ActionCount = 6;
    panel.ShowProg();
    EXPECT_EQ(visibleActions().last(), "Timer File : T000");
}

TEST_F(ProgramPanel, colourDialogStartsFromTheProgramsColour)
{
    prog.Color = 0x00FF00u; // green
    panel.ShowProg();
    dialogs.colors = {QColor(255, 0, 0), std::nullopt, std::nullopt};
    QTest::mousePress(panel.Shape8, Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_EQ(prog.Color, 0x0000FFu);
    EXPECT_EQ(panel.Shape8->brush(), QColor(255, 0, 0));
    QTest::mousePress(panel.Shape8, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(prog.Color, 0x0000FFu); // cancelled
    // Another program: its own colour, not the one chosen last.
    prog.Color = 0xFF0000u; // blue
    panel.ShowProg();
    QTest::mousePress(panel.Shape8, Qt::LeftButton, {}, QPoint(5, 5));
    ASSERT_EQ(dialogs.colorDialogStarts.size(), 3);
    EXPECT_EQ(dialogs.colorDialogStarts[0], QColor(0, 255, 0));
    EXPECT_EQ(dialogs.colorDialogStarts[1], QColor(255, 0, 0));
    EXPECT_EQ(dialogs.colorDialogStarts[2], QColor(0, 0, 255));
}

TEST_F(ProgramPanel, pickersWriteBackOnce)
{
    panel.DateTimePicker1->setDate(QDate(2027, 3, 4));
    EXPECT_EQ(varno::datetime::DatePart(prog.Date), QDate(2027, 3, 4));
    EXPECT_EQ(prog.GetDate(), std::trunc(prog.GetDate()));
    panel.DateTimePicker2->setTime(QTime(21, 15));
    EXPECT_EQ(prog.GetHour(), 21);
    EXPECT_EQ(prog.GetMinute(), 15);
    EXPECT_LT(prog.Clock, 1.0);
    panel.ComboBox2->setCurrentIndex(4);
    EXPECT_EQ(prog.WeekDay, 5);
    // Binding another program does not write into it.
    TVARNOProg other;
    other.WeekDay = 2;
    other.SetDate(varno::datetime::EncodeDate(2030, 1, 1));
    const TDateTime otherDate = other.Date;
    panel.Prog = &other;
    panel.ShowProg();
    EXPECT_EQ(other.Date, otherDate);
    EXPECT_EQ(panel.ComboBox2->currentIndex(), 1);
}

TEST_F(ProgramPanel, languageSwitchRecaptionsButKeepsSelections)
{
    prog.ActionKind = {akExternalOutput, akTimerFile, 1, 1, 1, 1};
    prog.ActionNumber = {3, 4, 0, 0, 0, 0};
    prog.ActionValue[0] = 9;
    prog.ActionCount = 2;
    prog.WeekDay = 3;
    panel.ShowProg();
    panel.Language = text::French;
    panel.TranslatePanel();
    panel.TranslateActions();
    EXPECT_EQ(panel.ComboBox2->currentIndex(), 2);
    EXPECT_EQ(panel.ComboBox2->currentText(), "Mercredi");
    EXPECT_EQ(visibleActions(),
              (QStringList{"Sortie Externe : 003", "Fichier Timer : T004", "Pas d'Action..."}));
    EXPECT_EQ(panel.ValueButtons[0]->text(), "Valeur : 009");
    EXPECT_EQ(panel.Label23->text(), "             Activer");
    EXPECT_EQ(panel.PopupMenu1->actions().at(1)->text(), "Fichier Timer : Txxx.mp3");
    EXPECT_EQ(panel.ExternalOutputMenu->itemAt(0)->text(), "Sortie 001");
    EXPECT_EQ(panel.InternalOutputMenu->itemAt(15)->text(), "Sortie 15");
    EXPECT_EQ(panel.TimerFileMenu->itemAt(0)->text(), "T001");
    EXPECT_EQ(panel.VolumeMenu->itemAt(5)->text(), "-05 dB");
    EXPECT_EQ(panel.PopupMenu3->itemAt(0)->text(), "001");
    EXPECT_EQ(prog.WeekDay, 3);
}

TEST_F(ProgramPanel, menusHaveEveryItemTagAndColumn)
{
    const QList<QAction *> top = panel.PopupMenu1->actions();
    ASSERT_EQ(top.size(), 13);
    int items = 13;
    for (TColumnMenu *menu : {panel.TimerFileMenu, panel.DirectoryMenu, panel.TransportMenu,
                              panel.VolumeMenu, panel.InternalOutputMenu, panel.ExternalOutputMenu,
                              panel.GoToProgramMenu, panel.FtpClientMenu, panel.SendEMailMenu})
        items += menu->itemCount();
    EXPECT_EQ(items, 1395);
    EXPECT_EQ(panel.PopupMenu2->itemCount(), 256);
    EXPECT_EQ(panel.PopupMenu3->itemCount(), 255);
    for (int hidden = 9; hidden <= 12; ++hidden)
        EXPECT_FALSE(top[hidden]->isVisible()) << hidden;
    for (int shown = 0; shown <= 8; ++shown)
        EXPECT_TRUE(top[shown]->isVisible()) << shown;
    EXPECT_EQ(top[8]->text(), "Go To Program : ");
    EXPECT_EQ(top[11]->text(), "FTP Client");
    EXPECT_EQ(top[1]->menu(), panel.TimerFileMenu);

    const auto itemAt = [](TColumnMenu *menu, int index) {
        return std::pair{menu->itemAt(index)->text(), menu->itemAt(index)->data().toInt()};
    };
    EXPECT_EQ(itemAt(panel.TimerFileMenu, 31), (std::pair{QString("T032"), 32}));
    EXPECT_EQ(TColumnMenu::columnOf(31), 0);
    EXPECT_EQ(TColumnMenu::columnOf(32), 1);
    EXPECT_EQ(itemAt(panel.DirectoryMenu, 0), (std::pair{QString("SONG"), 0}));
    EXPECT_EQ(itemAt(panel.DirectoryMenu, 31), (std::pair{QString("F031"), 31}));
    EXPECT_EQ(itemAt(panel.DirectoryMenu, 32), (std::pair{QString("F032"), 32}));
    EXPECT_EQ(itemAt(panel.VolumeMenu, 64), (std::pair{QString("-64 dB"), 64}));
    EXPECT_EQ(itemAt(panel.TransportMenu, 9), (std::pair{QString("USB Mode"), 10}));
    EXPECT_EQ(itemAt(panel.InternalOutputMenu, 0), (std::pair{QString("Output 00"), 0}));
    EXPECT_EQ(itemAt(panel.FtpClientMenu, 7), (std::pair{QString("FTP 8"), 8}));
    EXPECT_EQ(itemAt(panel.SendEMailMenu, 254), (std::pair{QString("EMail 255"), 255}));
    EXPECT_EQ(itemAt(panel.PopupMenu2, 32), (std::pair{QString("032"), 32}));
    EXPECT_EQ(itemAt(panel.PopupMenu3, 32), (std::pair{QString("033"), 33}));
    EXPECT_EQ(panel.PopupMenu3->columnCount(), 8);
    EXPECT_EQ(panel.PopupMenu2->columnCount(), 8);
    EXPECT_EQ(panel.VolumeMenu->columnCount(), 3);
    EXPECT_EQ(panel.ComboBox2->count(), 7);
    // Items carry their pictures, drawn when shown.
    EXPECT_FALSE(panel.TimerFileMenu->itemAt(0)->icon().pixmap(QSize(16, 16), 1.0).isNull());
    EXPECT_FALSE(top[8]->icon().pixmap(QSize(16, 16), 2.0).isNull());
    EXPECT_TRUE(panel.FtpClientMenu->itemAt(0)->icon().isNull());
}

TEST_F(ProgramPanel, handlersWithoutAProgramDoNothing)
{
    TFrame2 unbound;
    unbound.BuildMenus();
    unbound.show();
    click(unbound.Image35);
    click(unbound.ActionButtons[0]);
    unbound.PopupMenu1->close();
    unbound.TimerFileMenu->itemAt(0)->trigger();
    unbound.DateTimePicker1->setDate(QDate(2027, 1, 1));
    EXPECT_EQ(unbound.Prog, nullptr);
}

} // namespace

namespace {

TEST(ProgramPanelMenus, numberedMenusAreMadeOnFirstUseInTheLanguageOfThatMoment)
{
    TFrame2 panel;
    panel.BuildMenus();
    EXPECT_FALSE(panel.ExternalOutputMenu->isPopulated());
    panel.Language = text::Spanish;
    panel.TranslatePanel();
    EXPECT_EQ(panel.ExternalOutputMenu->itemAt(254)->text(), "Salida 255");
    EXPECT_TRUE(panel.ExternalOutputMenu->isPopulated());
    // Shown for the first time, a menu has all its items and columns.
    panel.PopupMenu3->popup(QPoint(0, 0));
    EXPECT_EQ(panel.PopupMenu3->itemCount(), 255);
    EXPECT_EQ(panel.PopupMenu3->grid()->sizeHint().height(),
              32 * panel.PopupMenu3->itemRect(0).height());
    panel.PopupMenu3->close();
}

} // namespace
