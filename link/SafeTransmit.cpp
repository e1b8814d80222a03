#include <QDir>
#include <link/Backup.h>
#include <link/SafeTransmit.h>
#include <model/Clock.h>
#include <model/Project.h>

namespace varno::transfer {

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
        TProject former;
        report.Result = ReceiveProject(link, portName, former, report.ResetSchedules, observer);
        if (report.Result != TLinkResult::Ok) {
            report.BackupFailed = true;
            return report;
        }
        report.BackupPath =
            backup::Save(directory, former, varno::currentDateTime(), report.BackupError);
        if (report.BackupPath.isEmpty()) {
            report.BackupFailed = true;
            return report;
        }
    }
    report.Phase = TTransferPhase::Transmit;
    observer.phaseStarted(TTransferPhase::Transmit);
    report.Result = RunTransmit(link, portName, project, observer, &report.FinalizeConfirmed);
    if (report.Result != TLinkResult::Ok || !options.Verify)
        return report;
    report.Phase = TTransferPhase::Verify;
    report.Result = RunVerify(link, portName, project, report.Differences, observer);
    report.Verified = report.Result == TLinkResult::Ok && report.Differences.isEmpty();
    return report;
}

} // namespace varno::transfer
