// What the main window does around a transmit: the backup before it, the
// read-back after it, the cancel of a transfer, and the comparison of the
// player with the project on its own.

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
    const quint8 l = CurrentLanguage;
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
    syncSafetyItems();
}

void TForm1::runInProgressDialog(const std::function<void()> &transfer)
{
    OKBottomDlg1->Language = CurrentLanguage;
    OKBottomDlg1->Transfer = transfer;
    setTransferring(true);
    dialogs_.exec(OKBottomDlg1);
    setTransferring(false);
    OKBottomDlg1->Transfer = nullptr;
}

void TForm1::transmitSafely()
{
    using text::AddedTexts;
    varno::transfer::TSafeTransmitOptions safety;
    safety.Backup = options_->backupBeforeTransmit();
    safety.BackupDirectory = options_->BackupDirectory;
    safety.Verify = options_->verifyAfterTransmit();
    varno::transfer::TSafeTransmitReport report;
    runInProgressDialog([&] {
        report =
            varno::transfer::RunSafeTransmit(link(), ComPortName, document_, safety, *OKBottomDlg1);
    });
    const quint8 l = CurrentLanguage;
    const QString reason = link().lastErrorReason();
    using varno::transfer::TSafeOutcome;
    const TSafeOutcome outcome = report.outcome();
    switch (outcome) {
    case TSafeOutcome::CancelledReadingBackup:
        LinkResult = report.Result;
        showLinkFailure(LinkResult); // stopped while reading: nothing was written
        return;
    case TSafeOutcome::BackupReadFailed:
    case TSafeOutcome::BackupNotSaved: {
        // A link failure was shown as it happened; now why nothing was written.
        QString message = text::Text(AddedTexts::BackupFailed, l);
        if (outcome == TSafeOutcome::BackupReadFailed)
            message += QLatin1Char('\n') + varno::link::LinkResultMessage(report.Result, l, reason);
        if (!report.BackupError.isEmpty())
            message += QLatin1Char('\n') + report.BackupError;
        LinkResult = report.Result;
        dialogs_.warn(this, message);
        return;
    }
    case TSafeOutcome::CancelledPartlyWritten:
    case TSafeOutcome::FailedPartlyWritten:
        LinkResult = report.Result;
        transmitStoppedHalfWay(report);
        return;
    // Nothing reached the player: the failure, or the cancel, alone.
    case TSafeOutcome::CancelledBeforeWriting:
        LinkResult = report.Result;
        dialogs_.warn(this, text::Text(AddedTexts::TransmitCancelled, l));
        return;
    case TSafeOutcome::FailedBeforeWriting:
        LinkResult = report.Result;
        showLinkFailure(LinkResult);
        return;
    case TSafeOutcome::Written:
    case TSafeOutcome::Verified:
    case TSafeOutcome::VerifyDiffers:
    case TSafeOutcome::VerifyFailed:
        break;
    }

    // The transmit succeeded; the read-back, when asked, adds its verdict.
    LinkResult = TLinkResult::Ok;
    QString message = varno::link::LinkResultMessage(TLinkResult::Ok, l);
    if (!report.FinalizeConfirmed)
        message += QLatin1Char('\n') + text::Text(AddedTexts::FinalizeUnconfirmed, l);
    if (outcome == TSafeOutcome::Verified)
        message += QLatin1Char('\n') + text::Text(AddedTexts::Verified, l);
    else if (outcome == TSafeOutcome::VerifyFailed)
        message += QLatin1Char('\n') + varno::link::LinkResultMessage(report.Result, l, reason);
    if (!report.ResetSchedules.isEmpty()) {
        QStringList numbers;
        for (int number : report.ResetSchedules)
            numbers << QString::number(number);
        message += QLatin1Char('\n') + text::Text(AddedTexts::BackupScheduleReset, l) +
                   numbers.join(QStringLiteral(", "));
    }
    dialogs_.warn(this, message);
    if (!report.Differences.isEmpty()) {
        madeOnUse(ComparisonWindow, this)->showDifferences(report.Differences, l);
        dialogs_.exec(ComparisonWindow);
    }
}

void TForm1::transmitStoppedHalfWay(const varno::transfer::TSafeTransmitReport &report)
{
    using text::AddedTexts;
    const quint8 l = CurrentLanguage;
    QString message =
        report.outcome() == varno::transfer::TSafeOutcome::CancelledPartlyWritten
            ? text::Text(AddedTexts::TransmitCancelled, l)
            : varno::link::LinkResultMessage(report.Result, l, link().lastErrorReason()) +
                  QLatin1Char('\n') + text::Text(AddedTexts::TransmitFailedPartly, l);
    if (report.BackupPath.isEmpty()) {
        dialogs_.warn(this, message + QLatin1Char('\n') + text::Text(AddedTexts::NoBackupMade, l));
        return;
    }
    message +=
        QLatin1Char('\n') +
        text::Text(AddedTexts::BackupNamed, l).arg(QDir::toNativeSeparators(report.BackupPath));
    // Only the bytes as read go back; a backup that cannot is not offered.
    if (const QString why = varno::backup::WhyNotRestorable(report.BackupImage); !why.isEmpty()) {
        dialogs_.warn(this, message + QLatin1Char('\n') +
                                text::Text(AddedTexts::BackupNotRestorable, l).arg(why));
        return;
    }
    if (dialogs_.askYesNo(this, message + QLatin1Char('\n') +
                                    text::Text(AddedTexts::TransmitBackupQuestion, l)))
        restoreBackup(report.BackupImage);
}

void TForm1::restoreBackup(const varno::transfer::TPlayerImage &image)
{
    using text::AddedTexts;
    varno::transfer::TRestoreReport restored;
    runInProgressDialog(
        [&] { restored = varno::transfer::RunRestore(link(), ComPortName, image, *OKBottomDlg1); });
    const quint8 l = CurrentLanguage;
    LinkResult = restored.Result;
    if (!restored.Refused.isEmpty()) {
        dialogs_.warn(this, text::Text(AddedTexts::BackupNotRestorable, l).arg(restored.Refused));
        return;
    }
    if (restored.Result != TLinkResult::Ok) {
        showLinkFailure(LinkResult);
        return;
    }
    QString message = varno::link::LinkResultMessage(TLinkResult::Ok, l);
    if (!restored.FinalizeConfirmed)
        message += QLatin1Char('\n') + text::Text(AddedTexts::FinalizeUnconfirmed, l);
    message += QLatin1Char('\n') +
               text::Text(restored.Verified ? AddedTexts::Verified : AddedTexts::RestoreDiffers, l);
    dialogs_.warn(this, message);
    if (!restored.Differences.isEmpty()) {
        madeOnUse(ComparisonWindow, this)->showDifferences(restored.Differences, l);
        dialogs_.exec(ComparisonWindow);
    }
}

void TForm1::VerifyPlayer1Click()
{
    if (transferring_)
        return;
    ProgPanel->ValidateEdits();
    QList<varno::transfer::TFieldDifference> differences;
    TLinkResult result = TLinkResult::Ok;
    runInProgressDialog([&] {
        result =
            varno::transfer::RunVerify(link(), ComPortName, document_, differences, *OKBottomDlg1);
    });
    if (result != TLinkResult::Ok) {
        // Failures were shown as they happened; a cancel is said here.
        if (result == TLinkResult::Cancelled)
            showLinkFailure(result);
        return;
    }
    madeOnUse(ComparisonWindow, this)->showDifferences(differences, CurrentLanguage);
    dialogs_.exec(ComparisonWindow);
}

void TForm1::OpenBackup1Click()
{
    if (transferring_)
        return;
    if (!AskSaveChanges())
        return;
    QDir().mkpath(options_->BackupDirectory);
    const QString fileName = dialogs_.openFileNameIn(this, FileFilter, options_->BackupDirectory);
    if (!fileName.isEmpty())
        LoadProjectFile(fileName);
}
