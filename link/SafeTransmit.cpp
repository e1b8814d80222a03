#include <QDir>
#include <link/Backup.h>
#include <link/PlayerImage.h>
#include <link/SafeTransmit.h>
#include <model/Clock.h>
#include <model/Project.h>

namespace varno::transfer {

namespace {

// Passes everything on, and sees whether the player took a block: one slot
// acknowledged is enough. A first block that fails is not counted: most often
// the player never answered its command, and then it took nothing.
struct TWriteWatcher : TTransferObserver
{
    explicit TWriteWatcher(TTransferObserver &inner) : inner(inner) {}

    void transferStarted() override { inner.transferStarted(); }
    void slotDone(int slot) override
    {
        began = began || !failed;
        inner.slotDone(slot);
    }
    void finalizationStep() override
    {
        began = true;
        inner.finalizationStep();
    }
    void linkFailure(TLinkResult result) override
    {
        failed = true;
        inner.linkFailure(result);
    }
    void phaseStarted(TTransferPhase phase) override { inner.phaseStarted(phase); }
    bool cancelRequested() override { return inner.cancelRequested(); }

    TTransferObserver &inner;
    bool began = false;
    bool failed = false;
};

} // namespace

TSafeOutcome TSafeTransmitReport::outcome() const
{
    const bool cancelled = Result == TLinkResult::Cancelled;
    if (BackupFailed) {
        if (cancelled)
            return TSafeOutcome::CancelledReadingBackup;
        return Result != TLinkResult::Ok ? TSafeOutcome::BackupReadFailed
                                         : TSafeOutcome::BackupNotSaved;
    }
    if (Phase == TTransferPhase::Transmit && Result != TLinkResult::Ok) {
        if (PartlyWritten)
            return cancelled ? TSafeOutcome::CancelledPartlyWritten
                             : TSafeOutcome::FailedPartlyWritten;
        return cancelled ? TSafeOutcome::CancelledBeforeWriting : TSafeOutcome::FailedBeforeWriting;
    }
    if (Phase != TTransferPhase::Verify)
        return TSafeOutcome::Written;
    if (Result != TLinkResult::Ok)
        return TSafeOutcome::VerifyFailed;
    return Differences.isEmpty() ? TSafeOutcome::Verified : TSafeOutcome::VerifyDiffers;
}

TSafeTransmitReport RunSafeTransmit(TComLink &link, const QString &portName,
                                    const TProject &project, const TSafeTransmitOptions &options,
                                    TTransferObserver &observer)
{
    TSafeTransmitReport report;
    if (options.Backup) {
        observer.phaseStarted(TTransferPhase::Backup);
        const QString directory = options.BackupDirectory.isEmpty() ? backup::DefaultDirectory()
                                                                    : options.BackupDirectory;
        // A folder that cannot be made stops everything before the player is
        // even read.
        if (!QDir().mkpath(directory)) {
            report.BackupFailed = true;
            report.BackupError = QStringLiteral("the folder %1 cannot be made")
                                     .arg(QDir::toNativeSeparators(directory));
            return report;
        }
        report.Result = RunReadPlayer(link, portName, report.BackupImage, observer);
        if (report.Result != TLinkResult::Ok) {
            report.BackupFailed = true;
            return report;
        }
        report.BackupPath = backup::Save(directory, report.BackupImage, varno::CurrentDateTime(),
                                         report.BackupError, &report.ResetSchedules);
        if (report.BackupPath.isEmpty()) {
            report.BackupFailed = true;
            return report;
        }
    }
    report.Phase = TTransferPhase::Transmit;
    observer.phaseStarted(TTransferPhase::Transmit);
    TWriteWatcher watcher(observer);
    report.Result = RunTransmit(link, portName, project, watcher, &report.FinalizeConfirmed);
    report.PartlyWritten = report.Result != TLinkResult::Ok && watcher.began;
    if (report.Result != TLinkResult::Ok || !options.Verify)
        return report;
    report.Phase = TTransferPhase::Verify;
    report.Result = RunVerify(link, portName, project, report.Differences, observer);
    report.Verified = report.Result == TLinkResult::Ok && report.Differences.isEmpty();
    return report;
}

} // namespace varno::transfer
