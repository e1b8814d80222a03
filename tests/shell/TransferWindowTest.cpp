// Transmit and receive from the main window against the emulated player on a
// pseudo-terminal, with every question answered through the dialog seam.

#include <FakeDialogs.h>
#include <PlayerBlocks.h>
#include <PlayerEmulator.h>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSysInfo>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QtPrinters.h>
#include <ScriptedDevice.h>
#include <editor/LittleOneProg.h>
#include <editor/OneProg.h>
#include <gtest/gtest.h>
#include <link/ComLink.h>
#include <link/EepromImage.h>
#include <link/QtSerialDevice.h>
#include <link/dialogs/ComparisonWindow.h>
#include <link/dialogs/ProgessBar.h>
#include <link/dialogs/VerifTrame.h>
#include <memory>
#include <model/Clock.h>
#include <model/ProjectFile.h>
#include <shell/Main.h>
#include <shell/ProgrammerOptions.h>
#include <shell/ProjectUndo.h>
#include <shell/SettingsFile.h>
#include <text/text.h>

namespace {

using namespace std::chrono_literals;
using varno::emulator::TEmulatorOptions;
using varno::emulator::TPlayerEmulator;
using varno::emulator::TPlayerMemory;

const QString kOk = QStringLiteral("Transmission on COM port OK");
const QString kNotReady = QStringLiteral("Transmission Error : MP3 player not ready");

class TransferWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // The progress dialog runs for real: it closes itself after the transfer.
        dialogs.onExec = [](QDialog *dialog) { return dialog->exec(); };
    }

    void startPlayer(TEmulatorOptions options = {}, TPlayerMemory memory = TPlayerMemory::Empty())
    {
        options.OnFinalize = [this] { ++finalizes; };
        emulator = std::make_unique<TPlayerEmulator>(std::move(options), std::move(memory));
        std::string error;
        ASSERT_TRUE(emulator->open(error)) << error;
        emulator->start();
        window = std::make_unique<TForm1>(dialogs, settings);
        window->setLink(&link);
        window->ComPortName() = QString::fromStdString(emulator->devicePath());
        window->setOptionsFile(dir.filePath("options.ini"));
        window->options().BackupDirectory = dir.filePath("backups");
        // The plain transfers unless a test asks for the backup and the read-back.
        window->BackupBefore1->setChecked(false);
        window->VerifyAfter1->setChecked(false);
        window->show();
    }

    void TearDown() override
    {
        window.reset();
        if (emulator)
            emulator->stop();
    }

    TVARNOProg &addProgram(quint8 number)
    {
        window->SpeedButton1Click();
        TVARNOProg &p = window->ProgList().at(window->ProgList().count() - 1);
        p.NumOfProg = number;
        return p;
    }

    QTemporaryDir dir;
    TSettingsFile settings{dir.path(), dir.filePath("config")};
    FakeDialogs dialogs;
    TComLink link{std::make_unique<varno::link::TQtSerialDevice>(), 250ms};
    std::atomic<int> finalizes{0};
    std::unique_ptr<TPlayerEmulator> emulator;
    std::unique_ptr<TForm1> window;
};

TEST_F(TransferWindow, transmitThenReceiveTheProject)
{
    startPlayer();
    addProgram(5).Title = "five";
    addProgram(2).Prioritary = 1;
    addProgram(200).TimerOn = 1;
    window->Project().Name = "Gare";
    dialogs.answers = {true};
    window->SpeedButton3Click();
    EXPECT_EQ(dialogs.questions.value(0), "Do you want to transmit the programs to the player?");
    EXPECT_EQ(dialogs.warnings, QStringList{kOk});
    EXPECT_EQ(window->LinkResult(), TLinkResult::Ok);
    EXPECT_EQ(window->OKBottomDlg1->windowTitle(), "Program(s) : 255 to 255 ");
    EXPECT_EQ(window->OKBottomDlg1->ProgressBar1->value(), 254);
    EXPECT_EQ(finalizes.load(), 1);
    EXPECT_EQ(window->ProgList().count(), 3); // a transmit changes nothing

    dialogs.questions.clear();
    dialogs.warnings.clear();
    dialogs.answers = {false, true, false}; // no save, receive, no file
    window->SpeedButton4Click();
    ASSERT_EQ(dialogs.questions.size(), 3);
    EXPECT_EQ(dialogs.questions[1], "Do you want to Receive the programs from the player?");
    EXPECT_EQ(dialogs.questions[2],
              QStringLiteral("Do you want to load the project file associated to the current "
                             "programmation of the player? Associated Project name\u00A0: Gare"));
    EXPECT_EQ(dialogs.warnings, QStringList{kOk});
    QList<int> numbers;
    for (const auto &p : window->ProgList())
        numbers << p->NumOfProg;
    EXPECT_EQ(numbers, (QList<int>{2, 5, 200})); // slot order
    EXPECT_EQ(window->ProgList().at(0).Prioritary, 1);
    EXPECT_EQ(window->ProgList().at(2).TimerOn, 1);
    EXPECT_EQ(window->Project().Name, "Gare");
    EXPECT_EQ(window->windowTitle(), "VARNO Programmer : Gare");
    EXPECT_FALSE(window->isChanged());
    EXPECT_EQ(window->SelectedPanel(), window->PanelList().last());
    EXPECT_FALSE(window->undoHistory().stack().canUndo()); // the programs added before
}

// The player took every block but did not answer the end of the programming:
// without a read-back too, the user hears what to check.
TEST_F(TransferWindow, anUnansweredFinalizeIsSaidWithoutAReadBack)
{
    TEmulatorOptions options;
    options.Faults.NoFinalizeAck = true;
    startPlayer(options);
    addProgram(4);
    dialogs.answers = {true};
    window->SpeedButton3Click();
    EXPECT_EQ(
        dialogs.warnings,
        QStringList{kOk + "\n" + text::Text(text::AddedTexts::FinalizeUnconfirmed, text::English)});
    EXPECT_EQ(window->LinkResult(), TLinkResult::Ok);
}

TEST_F(TransferWindow, receivingAnEmptyPlayerLeavesNoProgramsAndNoChange)
{
    startPlayer();
    dialogs.answers = {true, false};
    window->SpeedButton4Click();
    EXPECT_TRUE(window->ProgList().isEmpty());
    EXPECT_FALSE(window->isChanged());
    EXPECT_EQ(window->Project().Name, ""); // the player holds no name
}

TEST_F(TransferWindow, silentPlayerReportsTwiceAndAddsNoProgram)
{
    TEmulatorOptions options;
    options.Faults.Silent = true;
    startPlayer(options);
    dialogs.answers = {true};
    window->SpeedButton4Click();
    EXPECT_EQ(dialogs.warnings, (QStringList{kNotReady, kNotReady, "Reading in EEPROM Error"}));
    EXPECT_TRUE(window->ProgList().isEmpty());
    EXPECT_FALSE(window->isChanged());
    EXPECT_EQ(window->Project().Name, "New Project");

    dialogs.warnings.clear();
    dialogs.answers = {true};
    window->SpeedButton3Click();
    EXPECT_EQ(dialogs.warnings, (QStringList{kNotReady, kNotReady}));
    EXPECT_EQ(window->LinkResult(), TLinkResult::PlayerNotReady);
}

TEST_F(TransferWindow, aSecondTransferCannotStartWhileOneRuns)
{
    TEmulatorOptions options;
    options.Faults.Silent = true;
    startPlayer(options);
    int questionsDuring = -1;
    QTimer::singleShot(100, window.get(), [this, &questionsDuring] {
        EXPECT_TRUE(window->transferRunning());
        EXPECT_FALSE(window->menuBar()->isEnabled());
        window->close(); // waits for the transfer
        EXPECT_TRUE(window->isVisible());
        window->SpeedButton3Click();
        window->SpeedButton4Click();
        questionsDuring = int(dialogs.questions.size());
    });
    dialogs.answers = {true, true, true};
    window->SpeedButton3Click();
    EXPECT_EQ(questionsDuring, 1);
    EXPECT_EQ(dialogs.questions.size(), 1);
}

// Before anything reaches the player, the question lists what to check first,
// in the language of the window; a project with nothing to say asks as it did.
TEST_F(TransferWindow, theTransmitQuestionListsWhatToCheckFirst)
{
    window = std::make_unique<TForm1>(dialogs, settings);
    addProgram(1);
    dialogs.answers = {false};
    window->SpeedButton3Click();
    EXPECT_EQ(dialogs.questions,
              QStringList{"Do you want to transmit the programs to the player?"});

    TVARNOProg &jumping = addProgram(5);
    jumping.ActionKind[0] = akGoToProgram;
    jumping.ActionNumber[0] = 6;
    addProgram(1);
    dialogs.questions.clear();
    dialogs.answers = {false};
    window->SpeedButton3Click();
    EXPECT_EQ(dialogs.questions,
              QStringList{"Do you want to transmit the programs to the player?\n\nTo check first:"
                          "\n\u2022 program 005 goes to program 006, which no program bears"
                          "\n\u2022 2 programs bear number 001; the player keeps only one"});
    window->Espaol1Click();
    dialogs.questions.clear();
    dialogs.answers = {false};
    window->SpeedButton3Click();
    ASSERT_EQ(dialogs.questions.size(), 1);
    EXPECT_TRUE(dialogs.questions[0].contains(
        "\u2022 el programa 005 salta al programa 006, que ningún programa lleva"))
        << dialogs.questions[0].toStdString();
}

TEST_F(TransferWindow, impossibleDatesAreListedInOneWarning)
{
    TPlayerMemory memory = TPlayerMemory::Empty();
    for (int slot : {9, 40}) {
        TVARNOProg stored;
        stored.NumOfProg = quint8(slot);
        TPlayerMemory::Block block = storedBlock(stored);
        varno::emulator::CorruptDate(block);
        memory.setBlock(slot, block);
    }
    startPlayer({}, memory);
    dialogs.answers = {true, false};
    window->SpeedButton4Click();
    EXPECT_EQ(window->ProgList().count(), 2);
    ASSERT_EQ(dialogs.warnings.size(), 2);
    EXPECT_EQ(dialogs.warnings[0], kOk);
    EXPECT_TRUE(dialogs.warnings[1].endsWith(": 9, 40")) << dialogs.warnings[1];
}

TEST_F(TransferWindow, lineUnpluggedDuringAReceiveKeepsWhatArrived)
{
    TPlayerMemory memory = TPlayerMemory::Empty();
    TVARNOProg stored;
    stored.NumOfProg = 3;
    memory.setBlock(3, storedBlock(stored));
    TEmulatorOptions options;
    options.Faults.HangUpAfterBlocks = 20;
    startPlayer(options, memory);
    dialogs.answers = {true};
    window->SpeedButton4Click();
    ASSERT_EQ(window->ProgList().count(), 1);
    EXPECT_EQ(window->ProgList().at(0).NumOfProg, 3);
    EXPECT_TRUE(window->isChanged());            // what arrived is not saved yet
    EXPECT_FALSE(window->ProgPanel->isHidden()); // the last program stays open
    EXPECT_EQ(window->ProgPanel->Prog, &window->ProgList().at(0));
    EXPECT_TRUE(window->menuBar()->isEnabled());
    EXPECT_NE(window->LinkResult(), TLinkResult::Ok);
}

TEST_F(TransferWindow, portOfTheSettingsIsMarkedInThePortMenu)
{
    startPlayer();
    window->refreshPortMenu();
    ASSERT_FALSE(window->OtherPorts().isEmpty());
    QAction *pty = window->OtherPorts().last();
    EXPECT_EQ(pty->data().toString(), window->ComPortName());
    EXPECT_TRUE(pty->isChecked());
    window->ComItems[2]->trigger();
    EXPECT_EQ(window->ComPortName(), "COM3");
    EXPECT_TRUE(window->ComItems[2]->isChecked());
    EXPECT_FALSE(pty->isChecked());
    pty->trigger();
    EXPECT_EQ(window->ComPortName(), QString::fromStdString(emulator->devicePath()));
}

TEST_F(TransferWindow, choosingCom3OpensItsDevice)
{
    auto device = std::make_unique<varno::test::TScriptedDevice>();
    varno::test::TScriptedDevice *seen = device.get();
    device->failAt(varno::test::TStep::ReadSettings); // opened, then stopped
    TComLink scripted(std::move(device), 250ms);
    window = std::make_unique<TForm1>(dialogs, settings);
    window->setLink(&scripted);
    window->ComItems[2]->trigger();
    dialogs.answers = {true};
    window->SpeedButton3Click();
    EXPECT_EQ(seen->openedDevice,
              QSysInfo::productType() == QLatin1String("windows") ? "COM3" : "/dev/ttyS2");
    ASSERT_EQ(dialogs.warnings.size(), 2); // at once, and again after the dialog
    EXPECT_EQ(dialogs.warnings[0], "Parameters access Error of COM port");
    EXPECT_EQ(window->LinkResult(), TLinkResult::ParametersError);
}

// Before its first slot the progress dialog is titled in the user's language,
// not with an English word nor the last slot of an earlier transfer.
TEST_F(TransferWindow, progressTitleIsInTheLanguageBeforeTheFirstSlot)
{
    startPlayer();
    dialogs.answers = {true};
    window->SpeedButton3Click();
    ASSERT_EQ(dialogs.warnings, QStringList{kOk});
    window->French1->trigger();
    window->ComPortName() = "/dev/no-such-port";
    QString during;
    dialogs.onExec = [&during](QDialog *dialog) {
        QTimer::singleShot(0, dialog, [&during, dialog] { during = dialog->windowTitle(); });
        return dialog->exec();
    };
    dialogs.answers = {true};
    window->SpeedButton3Click();
    EXPECT_EQ(during, text::Text(text::AddedTexts::ProgressCaption, text::French));
    EXPECT_EQ(window->OKBottomDlg1->windowTitle(), during);
}

// The question after a receive opens its dialog beside the last project, on
// the file of the received name when there is one.
TEST_F(TransferWindow, theAssociatedProjectIsLookedForBesideTheLastProject)
{
    startPlayer();
    addProgram(5);
    window->Project().Name = "Gare";
    ASSERT_TRUE(QDir(dir.path()).mkpath("projects"));
    const QString last = dir.filePath("projects/last.prg");
    dialogs.fileNames = {last};
    window->SaveAs1Click();
    ASSERT_EQ(window->ProjectFileName(), last);
    dialogs.answers = {true};
    window->SpeedButton3Click(); // the player now holds "Gare"
    ASSERT_EQ(dialogs.warnings, QStringList{kOk});
    struct Case
    {
        const char *name;
        bool fileThere;
        QString expected;
    };
    // The first receive leaves no file name: the second finds the last project
    // among the recent ones.
    const Case cases[] = {
        {"no file of that name", false, dir.filePath("projects")},
        {"a file of that name", true, dir.filePath("projects/Gare.prg")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        if (c.fileThere) {
            ASSERT_TRUE(QFile::copy(last, dir.filePath("projects/Gare.prg")));
        }
        dialogs.openedFolders.clear();
        dialogs.answers = {true, true}; // receive, look for the project file
        window->SpeedButton4Click();
        EXPECT_EQ(dialogs.openedFolders, QStringList{c.expected});
    }
}

// A project file that does not load after a receive leaves a New Project.
TEST_F(TransferWindow, projectFileThatDoesNotLoadAfterAReceiveLeavesANewProject)
{
    TPlayerMemory memory = TPlayerMemory::Empty();
    TVARNOProg stored;
    stored.NumOfProg = 3;
    memory.setBlock(3, storedBlock(stored));
    startPlayer({}, memory);
    const QString broken = dir.filePath("broken.prg");
    QFile file(broken);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Group Of Program File of VARNO\r\n*****\r\nName\r\n\r\n\r\n\r\n\r\n\r\n"
               "\r\nmany\r\n");
    file.close();
    dialogs.answers = {true, true}; // receive, load the project file
    dialogs.fileNames = {broken};
    window->SpeedButton4Click();
    EXPECT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(window->ProgList().isEmpty());
    EXPECT_EQ(window->Project().Name, "New Project");
    EXPECT_TRUE(window->ProjectFileName().isEmpty());
    EXPECT_FALSE(window->isChanged());
}

TEST_F(TransferWindow, verificationWindowShowsTheBlock)
{
    startPlayer();
    addProgram(7);
    dialogs.onExec = [](QDialog *) { return int(QDialog::Accepted); };
    window->Verif1Click();
    window->OKBottomDlg->FormActivate();
    const QStringList lines = window->OKBottomDlg->Memo1->toPlainText().split('\n');
    ASSERT_EQ(lines.size(), 24);
    EXPECT_EQ(lines[0], "Octet 01 = 00");
    EXPECT_EQ(lines[1], "Octet 02 = 07");
    EXPECT_EQ(lines[2], "Octet 03 = 21");
}

// Presses Cancel, or Escape, in the progress dialog once `ready` holds, checked
// as the transfer processes its events.
void cancelWhen(TOKBottomDlg1 *progress, std::function<bool()> ready, bool escape)
{
    auto *poll = new QTimer(progress);
    QObject::connect(poll, &QTimer::timeout, progress, [=] {
        if (!progress->isRunning() || !ready())
            return;
        poll->stop();
        poll->deleteLater();
        if (escape) {
            QKeyEvent key(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QCoreApplication::sendEvent(progress, &key);
        } else {
            progress->CancelButton->click();
        }
    });
    poll->start(1);
}

class SafeTransferWindow : public TransferWindow
{
protected:
    // A player that already holds program 9 and the name "Former".
    void startHolding(TEmulatorOptions options = {})
    {
        TPlayerMemory memory = TPlayerMemory::Empty();
        TVARNOProg former;
        former.NumOfProg = 9;
        former.ActionValue.fill(33);
        memory.setBlock(9, storedBlock(former));
        for (int i = 0; i < 6; ++i)
            memory.setByte(0x60, quint8(0x10 + i), quint8("Former"[i]));
        startPlayer(std::move(options), memory);
        window->BackupBefore1->setChecked(true);
        window->VerifyAfter1->setChecked(true);
    }

    QStringList backups() const
    {
        return QDir(dir.filePath("backups")).entryList({"*.prg"}, QDir::Files);
    }
};

TEST_F(SafeTransferWindow, transmitBacksUpThenVerifiesAndTheBackupOpensFromTheFileMenu)
{
    startHolding();
    // The options live in their own file, written when changed.
    window->VerifyAfter1->setChecked(false);
    EXPECT_FALSE(TProgrammerOptions(dir.filePath("options.ini")).verifyAfterTransmit());
    window->VerifyAfter1->trigger();
    const TProgrammerOptions stored(dir.filePath("options.ini"));
    EXPECT_TRUE(stored.backupBeforeTransmit());
    EXPECT_TRUE(stored.verifyAfterTransmit());

    addProgram(4).ActionValue.fill(44);
    window->Project().Name = "Next";
    dialogs.answers = {true};
    window->SpeedButton3Click();
    EXPECT_EQ(dialogs.warnings, QStringList{kOk + "\nVerified"});
    EXPECT_EQ(emulator->memory().block(4)[18], 44);
    ASSERT_EQ(backups().size(), 1);
    EXPECT_TRUE(backups().first().endsWith("_Former.prg"));
    const TProject backup = LoadProject(dir.filePath("backups/" + backups().first()));
    ASSERT_EQ(backup.Programs.count(), 1);
    EXPECT_EQ(backup.Programs.at(0).ActionValue[0], 33);

    dialogs.answers = {false}; // do not save the project
    dialogs.fileNames = {dir.filePath("backups/" + backups().first())};
    window->OpenBackup1Click();
    EXPECT_EQ(dialogs.openedFolders, QStringList{dir.filePath("backups")});
    ASSERT_EQ(window->ProgList().count(), 1);
    EXPECT_EQ(window->ProgList().at(0).NumOfProg, 9);
    EXPECT_EQ(window->Project().Name, "Former");
}

TEST_F(SafeTransferWindow, differencesOpenTheComparisonWindowInTheCurrentLanguage)
{
    TEmulatorOptions options;
    options.Faults.CorruptStoredSlot = 4;
    startHolding(options);
    window->BackupBefore1->setChecked(false);
    addProgram(4).ActionValue[0] = 44;
    window->French1Click();
    QStringList rows;
    dialogs.onExec = [&](QDialog *dialog) {
        if (auto *comparison = qobject_cast<TComparisonWindow *>(dialog)) {
            for (int r = 0; r < comparison->Table->rowCount(); ++r) {
                QStringList cells;
                for (int c = 0; c < 4; ++c)
                    cells << comparison->Table->item(r, c)->text();
                rows << cells.join('|');
            }
            return int(QDialog::Accepted);
        }
        return dialog->exec();
    };
    dialogs.answers = {true};
    window->SpeedButton3Click();
    EXPECT_EQ(dialogs.warnings.size(), 1);
    EXPECT_FALSE(dialogs.warnings.value(0).contains("\n"))
        << dialogs.warnings.value(0).toStdString();
    EXPECT_EQ(rows, QStringList{"4|Action 1 : valeur|44|45"});

    // Verify player compares on its own, without writing.
    rows.clear();
    const int blocks = emulator->blockCount();
    window->VerifyPlayer1Click();
    EXPECT_EQ(rows, QStringList{"4|Action 1 : valeur|44|45"});
    EXPECT_EQ(emulator->blockCount() - blocks, 255); // reads only
    EXPECT_EQ(emulator->memory().block(4)[18], 45);
}

TEST_F(SafeTransferWindow, unwritableBackupWritesNothingAndSaysWhy)
{
    startHolding();
    QFile blocker(dir.filePath("blocker"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    window->options().BackupDirectory = blocker.fileName() + "/backups";
    addProgram(4);
    const TPlayerMemory before = emulator->memory();
    dialogs.answers = {true};
    window->SpeedButton3Click();
    ASSERT_EQ(dialogs.warnings.size(), 1);
    EXPECT_TRUE(dialogs.warnings[0].startsWith("The backup of the player failed; nothing was "
                                               "written to the player."));
    EXPECT_TRUE(dialogs.warnings[0].contains("blocker")) << dialogs.warnings[0].toStdString();
    EXPECT_EQ(emulator->blockCount(), 0);
    EXPECT_TRUE(emulator->memory() == before);
}

TEST_F(SafeTransferWindow, cancelledTransmitOffersTheBackupAndACancelledReceiveKeepsWhatArrived)
{
    // Besides program 9, blocks a project file cannot hold: they go back as
    // they were read.
    TPlayerMemory odd = TPlayerMemory::Empty();
    TVARNOProg former;
    former.NumOfProg = 9;
    former.ActionValue.fill(33);
    odd.setBlock(9, storedBlock(former));
    former.NumOfProg = 40;
    TPlayerMemory::Block block = storedBlock(former);
    block[13] = quint8((block[13] & 0xF0) | 13); // month 13
    odd.setBlock(40, block);
    former.NumOfProg = 41;
    block = storedBlock(former);
    block[0] = 0x5A;
    block[15] = 0x70; // the year 2112
    odd.setBlock(41, block);
    block = odd.block(100); // empty, with bytes no transmit writes
    block[0] = 0xA5;
    block[18] = 0x77;
    odd.setBlock(100, block);
    for (int i = 0; i < 6; ++i)
        odd.setByte(0x60, quint8(0x10 + i), quint8("Former"[i]));
    startPlayer({}, odd);
    window->BackupBefore1->setChecked(true);
    window->VerifyAfter1->setChecked(true);
    addProgram(4);
    addProgram(200);
    const TPlayerMemory before = emulator->memory();
    TOKBottomDlg1 *progress = window->OKBottomDlg1;
    cancelWhen(
        progress,
        [progress] {
            return progress->PhaseLabel->text() == "Transmit" &&
                   progress->ProgressBar1->value() >= 100;
        },
        false);
    dialogs.answers = {true, true}; // transmit; then transmit the backup
    window->SpeedButton3Click();
    ASSERT_EQ(dialogs.questions.size(), 2);
    ASSERT_EQ(backups().filter(".prg").size(), 1);
    EXPECT_EQ(dialogs.questions[1],
              "Transmit cancelled: the player now holds part of the new programs.\nBackup of its "
              "former content: " +
                  QDir::toNativeSeparators(dir.filePath("backups/" + backups().filter(".prg")[0])) +
                  "\nTransmit the backup made before the transmit?");
    EXPECT_EQ(dialogs.warnings, QStringList{kOk + "\nVerified"}); // the backup went back in
    const TPlayerMemory after = emulator->memory();
    for (int slot = 1; slot <= 255; ++slot)
        EXPECT_EQ(after.block(slot), before.block(slot)) << slot;
    EXPECT_EQ(after.name(), before.name());

    // Escape in the middle of a receive: what arrived stays, the name is not read.
    dialogs.questions.clear();
    dialogs.warnings.clear();
    window->BackupBefore1->setChecked(false);
    window->VerifyAfter1->setChecked(false);
    dialogs.answers = {true};
    window->SpeedButton3Click();
    cancelWhen(
        progress, [progress] { return progress->ProgressBar1->value() >= 100; }, true);
    dialogs.answers = {false, true};
    window->SpeedButton4Click();
    EXPECT_EQ(dialogs.warnings.last(), "The transfer was cancelled.");
    ASSERT_EQ(window->ProgList().count(), 1); // 200 did not arrive
    EXPECT_EQ(window->ProgList().at(0).NumOfProg, 4);
    EXPECT_EQ(window->Project().Name, "New Project"); // not read from the player
}

// The line drops half-way: the message says that the player holds part of
// both projects, names the backup and offers it.
TEST_F(SafeTransferWindow, transmitThatFailsHalfWayNamesTheBackupAndOffersIt)
{
    TEmulatorOptions dropping;
    dropping.Faults.HangUpAfterBlocks = 255 + 100; // the backup's reads, then 100 writes
    startHolding(dropping);
    addProgram(4);
    addProgram(200);
    dialogs.answers = {true, false}; // transmit; not the backup now
    window->SpeedButton3Click();
    ASSERT_EQ(dialogs.questions.size(), 2);
    ASSERT_EQ(backups().size(), 1);
    const QString backup = QDir::toNativeSeparators(dir.filePath("backups/" + backups()[0]));
    EXPECT_EQ(dialogs.questions[1],
              "Reading Error on COM port\nThe transmit failed half-way: the player now holds part "
              "of the new project and part of its former content.\nBackup of its former content: " +
                  backup + "\nTransmit the backup made before the transmit?");
    EXPECT_TRUE(QFile::exists(backup));
}

// The progress dialog names each stage in the language of the window.
TEST_F(SafeTransferWindow, progressNamesEachStageInTheLanguage)
{
    startHolding();
    addProgram(4);
    window->French1Click();
    TOKBottomDlg1 *progress = window->OKBottomDlg1;
    QStringList stages;
    auto *poll = new QTimer(progress);
    QObject::connect(poll, &QTimer::timeout, progress, [&] {
        const QString shown = progress->PhaseLabel->text();
        if (progress->isRunning() && (stages.isEmpty() || stages.last() != shown))
            stages << shown;
    });
    poll->start(1);
    dialogs.answers = {true};
    window->SpeedButton3Click();
    poll->stop();
    EXPECT_EQ(stages, (QStringList{"Sauvegarde", "Transmission", "Vérification"}));
}

} // namespace
