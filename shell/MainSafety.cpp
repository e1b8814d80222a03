// The main window's safety items: Open Backup, the backup before a transmit
// and the read-back after it (options), and the comparison of the player with
// the project on its own.

#include <QDir>
#include <QMenu>
#include <editor/OneProg.h>
#include <editor/UserDialogs.h>
#include <link/BackupImage.h>
#include <link/ComLink.h>
#include <link/LinkMessage.h>
#include <link/PlayerImage.h>
#include <link/Restore.h>
#include <link/SafeTransmit.h>
#include <link/Transfer.h>
#include <link/dialogs/ComparisonWindow.h>
#include <link/dialogs/ProgessBar.h>
#include <model/Errors.h>
#include <model/ProjectFile.h>
#include <shell/MadeOnUse.h>
#include <shell/Main.h>
#include <shell/ProgrammerOptions.h>
#include <text/text.h>

void TForm1::buildSafetyItems(QMenu *file, QMenu *rs232)
{
    const auto item = [this](const char *name) {
        auto *action = new QAction(this);
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    OpenBackup1 = item("OpenBackup1");
    file->insertAction(Save1, OpenBackup1);
    BackupBefore1 = item("BackupBefore1");
    VerifyAfter1 = item("VerifyAfter1");
    VerifyPlayer1 = item("VerifyPlayer1");
    BackupBefore1->setCheckable(true);
    VerifyAfter1->setCheckable(true);
    rs232->addSeparator();
    rs232->addActions({BackupBefore1, VerifyAfter1, VerifyPlayer1});
    syncSafetyItems();
    connect(OpenBackup1, &QAction::triggered, this, &TForm1::OpenBackup1Click);
    connect(VerifyPlayer1, &QAction::triggered, this, &TForm1::VerifyPlayer1Click);
    connect(BackupBefore1, &QAction::toggled, this,
            [this](bool on) { options_->setBackupBeforeTransmit(on); });
    connect(VerifyAfter1, &QAction::toggled, this,
            [this](bool on) { options_->setVerifyAfterTransmit(on); });
}

void TForm1::translateSafetyItems()
{
    using text::AddedTexts;
    const text::Language l = CurrentLanguage;
    OpenBackup1->setText(text::Text(AddedTexts::OpenBackup, l));
    BackupBefore1->setText(text::Text(AddedTexts::BackupBeforeTransmit, l));
    VerifyAfter1->setText(text::Text(AddedTexts::VerifyAfterTransmit, l));
    VerifyPlayer1->setText(text::Text(AddedTexts::VerifyPlayer, l));
}

// The items show the options without writing them back.
void TForm1::syncSafetyItems()
{
    const QSignalBlocker backup(BackupBefore1);
    const QSignalBlocker verify(VerifyAfter1);
    BackupBefore1->setChecked(options_->backupBeforeTransmit());
    VerifyAfter1->setChecked(options_->verifyAfterTransmit());
}

void TForm1::setOptionsFile(const QString &file)
{
    const QString backups = options_->BackupDirectory;
    options_ = std::make_unique<TProgrammerOptions>(file);
    options_->BackupDirectory = backups;
    transfers_->setOptions(options_.get());
    syncSafetyItems();
}

void TForm1::VerifyPlayer1Click()
{
    if (transferRunning())
        return;
    ProgPanel->ValidateEdits();
    transfers_->verifyPlayer();
}

void TForm1::OpenBackup1Click()
{
    if (transferRunning())
        return;
    if (!AskSaveChanges())
        return;
    QDir().mkpath(options_->BackupDirectory);
    const QString fileName = dialogs_.openFileNameIn(this, FileFilter, options_->BackupDirectory);
    if (!fileName.isEmpty())
        LoadProjectFile(fileName);
}
