// transmit, receive and verify: the programmer's transfers, from a terminal,
// on one port or on several at once.

#include "Commands.h"
#include "Output.h"
#include "OutputFile.h"
#include "PortRunner.h"

#include <QDir>
#include <QRegularExpression>
#include <link/Backup.h>
#include <link/BackupImage.h>
#include <link/ComLink.h>
#include <link/LinkMessage.h>
#include <link/PlayerImage.h>
#include <link/Restore.h>
#include <link/SafeTransmit.h>
#include <link/Transfer.h>
#include <model/Errors.h>
#include <model/FileNameCase.h>
#include <model/PreviousVersion.h>
#include <model/ProjectFile.h>
#include <model/ReservedNames.h>
#include <text/text.h>

namespace {

using varno::transfer::TSafeOutcome;

QString linkMessage(TLinkResult result, const TComLink &link)
{
    return varno::link::LinkResultMessage(result, text::English, link.lastErrorReason());
}

PortResult failed(TLinkResult result, const TComLink &link)
{
    PortResult r;
    if (result == TLinkResult::Cancelled) {
        r.exit = ExitInterrupted;
        r.outcome = QStringLiteral("interrupted");
        return r;
    }
    r.exit = ExitLink;
    r.outcome = QStringLiteral("failed: ") + linkMessage(result, link);
    return r;
}

// One line per difference, in the words of the file (or the backup) and of
// the player.
QStringList differenceLines(const QList<varno::transfer::TFieldDifference> &differences,
                            const QString &source = QStringLiteral("file"))
{
    using varno::transfer::TField;
    QStringList lines;
    for (const auto &d : differences) {
        if (d.Field == TField::Name)
            lines << QStringLiteral("name: the player holds \"%1\", the project \"%2\"")
                         .arg(d.Read, d.Sent);
        else if (d.Field == TField::Block)
            lines << QStringLiteral("%1: bytes: %2 %3, player %4")
                         .arg(d.Program == 0 ? QStringLiteral("name")
                                             : QStringLiteral("slot %1").arg(d.Program),
                              source, d.Sent, d.Read);
        else if (d.Field == TField::Presence && d.Sent.isEmpty())
            lines << QStringLiteral("slot %1: the player holds program %2, the project none")
                         .arg(d.Program)
                         .arg(d.Read);
        else if (d.Field == TField::Presence)
            lines << QStringLiteral("program %1: missing from the player").arg(d.Program);
        else
            lines << QStringLiteral("program %1: %2: %3 %4, player %5")
                         .arg(d.Program)
                         .arg(varno::transfer::FieldName(d, text::English).toLower(), source,
                              d.Sent, d.Read);
    }
    lines << QStringLiteral("%1 %2")
                 .arg(differences.size())
                 .arg(differences.size() == 1 ? "difference" : "differences");
    return lines;
}

QString quoted(const QString &argument)
{
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_./:=+-]+$"));
    if (plain.match(argument).hasMatch())
        return argument;
    QString escaped = argument;
    escaped.replace(QLatin1Char('\''), QStringLiteral("'\\''"));
    return QLatin1Char('\'') + escaped + QLatin1Char('\'');
}

// A transmit that stopped once it had begun to write, and how to undo it.
QString partlyWritten(const varno::transfer::TSafeTransmitReport &report, TSafeOutcome outcome,
                      const QString &port)
{
    const bool cancelled = outcome == TSafeOutcome::CancelledPartlyWritten;
    QString line = cancelled
                       ? QStringLiteral("interrupted: the player now holds part of the new "
                                        "programs")
                       : QStringLiteral("the transmit failed half-way: the player now holds part "
                                        "of the new project and part of its former content");
    if (report.BackupPath.isEmpty())
        return cancelled ? line : line + QStringLiteral("; no backup was made");
    return line + QStringLiteral("; to put back what it held, run: varno-cli restore %1 --port %2")
                      .arg(quoted(report.BackupPath), quoted(port));
}

// "/dev/ttyUSB0" gives "dev_ttyUSB0.prg", "COM3" gives "COM3.prg".
QString fileForPort(const QString &directory, const QString &port)
{
    QString name = port;
    name.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9._-]+")), QStringLiteral("_"));
    while (name.startsWith(QLatin1Char('_')))
        name.remove(0, 1);
    // "COM3.prg" could not be created on Windows: "COM3-player.prg".
    return QDir(directory).filePath(
        varno::NotReservedFileName(name + QStringLiteral(".prg"), QStringLiteral("-player")));
}

// Two ports whose names map to one file would write over each other, each
// reporting success: the first such pair, or nothing.
QString portsSharingAFile(const QString &directory, const QStringList &ports)
{
    // Where the file system ignores case, "COM3.prg" and "com3.prg" are one file.
    const Qt::CaseSensitivity sensitivity = varno::FileNameCase();
    for (qsizetype i = 0; i < ports.size(); ++i) {
        const QString file = fileForPort(directory, ports[i]);
        for (qsizetype j = 0; j < i; ++j)
            if (fileForPort(directory, ports[j]).compare(file, sensitivity) == 0)
                return QStringLiteral("ports %1 and %2 would both be received into %3; receive "
                                      "them one at a time with --output")
                    .arg(ports[j], ports[i], file);
    }
    return {};
}

} // namespace

int transmit(const TProject &project, const TransferOptions &options)
{
    varno::transfer::TSafeTransmitOptions safety;
    safety.Backup = options.backup;
    safety.BackupDirectory =
        options.backupDir.isEmpty() ? varno::backup::DefaultDirectory() : options.backupDir;
    safety.Verify = options.verify;
    return RunOnPorts(
        "transmit", options, [&](const QString &port, TComLink &link, TTransferObserver &observer) {
            const auto report =
                varno::transfer::RunSafeTransmit(link, port, project, safety, observer);
            const TSafeOutcome outcome = report.outcome();
            PortResult r;
            switch (outcome) {
            case TSafeOutcome::CancelledReadingBackup:
                r = failed(report.Result, link);
                r.problems << QStringLiteral("interrupted while reading the player; nothing "
                                             "was written");
                return r;
            case TSafeOutcome::BackupReadFailed:
            case TSafeOutcome::BackupNotSaved: {
                const bool notSaved = outcome == TSafeOutcome::BackupNotSaved;
                r.exit = notSaved ? ExitFailed : ExitLink;
                const QString why =
                    notSaved ? report.BackupError : linkMessage(report.Result, link);
                r.outcome = QStringLiteral("backup failed, nothing written: ") + why;
                r.problems << QStringLiteral("the backup of the player failed (%1); nothing was "
                                             "written; --no-backup transmits without it")
                                  .arg(why);
                return r;
            }
            default:
                break;
            }
            if (!report.BackupPath.isEmpty())
                r.lines << QStringLiteral("Backup of the player: ") + report.BackupPath;
            for (int number : report.ResetSchedules)
                r.problems << QStringLiteral("warning: program %1: the date or time stored in the "
                                             "player did not exist; the backup's project file "
                                             "holds the current one instead, its raw image the "
                                             "bytes as read")
                                  .arg(number);
            r.file = report.BackupPath;
            switch (outcome) {
            case TSafeOutcome::CancelledPartlyWritten:
            case TSafeOutcome::FailedPartlyWritten:
                r.problems << partlyWritten(report, outcome, port);
                [[fallthrough]];
            case TSafeOutcome::CancelledBeforeWriting:
            case TSafeOutcome::FailedBeforeWriting: {
                const PortResult failure = failed(report.Result, link);
                r.exit = failure.exit;
                r.outcome = failure.outcome;
                return r;
            }
            default:
                break;
            }
            r.lines << varno::link::LinkResultMessage(TLinkResult::Ok, text::English);
            r.outcome = QStringLiteral("ok");
            if (!report.FinalizeConfirmed)
                r.problems << QStringLiteral("warning: the player did not confirm the end of the "
                                             "programming; check that it plays the new programs");
            if (outcome == TSafeOutcome::Written)
                return r;
            r.verified =
                outcome == TSafeOutcome::Verified ? QStringLiteral("yes") : QStringLiteral("no");
            if (outcome == TSafeOutcome::VerifyFailed) {
                const PortResult failure = failed(report.Result, link);
                r.exit = failure.exit;
                r.outcome = QStringLiteral("written, verify ") + failure.outcome;
            } else if (outcome == TSafeOutcome::VerifyDiffers) {
                r.lines << differenceLines(report.Differences);
                r.exit = ExitFailed;
                r.outcome = QStringLiteral("written, differs");
            } else {
                r.lines << QStringLiteral("Verified");
            }
            return r;
        });
}

int receive(const QString &output, const QString &outputDir, bool force,
            const TransferOptions &options)
{
    const QStringList ports = options.ports.isEmpty() ? QStringList{options.port} : options.ports;
    // Refused before any player is asked anything: a receive takes minutes.
    if (!outputDir.isEmpty()) {
        if (const QString why = portsSharingAFile(outputDir, ports); !why.isEmpty()) {
            report(why);
            return ExitFailed;
        }
    }
    for (const QString &port : ports) {
        const QString file = outputDir.isEmpty() ? output : fileForPort(outputDir, port);
        if (const QString why = whyOutputCannotBeWritten(file, force); !why.isEmpty()) {
            report(why);
            return ExitFailed;
        }
    }
    return RunOnPorts(
        "receive", options, [&](const QString &port, TComLink &link, TTransferObserver &observer) {
            const QString file = outputDir.isEmpty() ? output : fileForPort(outputDir, port);
            const auto received = varno::transfer::ReceiveProject(link, port, observer);
            if (!received.complete())
                return failed(received.result, link);
            if (received.nameResult == TLinkResult::Cancelled)
                return failed(received.nameResult, link);
            // Saved as the programmer holds received programs, which it shows.
            const TProject &project = received.project;
            PortResult r;
            for (int number : received.resetSchedules)
                r.problems << QStringLiteral("warning: program %1: the date or time stored in the "
                                             "player did not exist; it was replaced by the "
                                             "current one")
                                  .arg(number);
            try {
                // A programmer may have opened the file while the player was read.
                const QString held = writeHoldingLock(file, [&] {
                    varno::projectfile::KeepPreviousVersion(file);
                    SaveProject(file, project);
                });
                if (!held.isEmpty())
                    throw TVarnoError(held);
            } catch (const TVarnoError &e) {
                r.problems << e.message();
                r.exit = ExitFailed;
                r.outcome = QStringLiteral("not saved: ") + e.message();
                return r;
            }
            r.file = file;
            if (!received.nameRead()) {
                // The programs are kept all the same; the file's name line is only a
                // placeholder then, which must not pass for the player's name.
                r.lines << QStringLiteral(
                               "Received %1 programs into %2; the project name could not "
                               "be read, so the file holds the programs without it")
                               .arg(project.Programs.count())
                               .arg(file);
                r.exit = ExitLink;
                r.outcome =
                    QStringLiteral("programs only: ") + linkMessage(received.nameResult, link);
                return r;
            }
            r.lines << QStringLiteral("Received %1 programs of \"%2\" into %3")
                           .arg(project.Programs.count())
                           .arg(project.Group.Name, file);
            r.outcome = QStringLiteral("ok");
            return r;
        });
}

int verify(const TProject &project, const TransferOptions &options)
{
    return RunOnPorts(
        "verify", options, [&](const QString &port, TComLink &link, TTransferObserver &observer) {
            QList<varno::transfer::TFieldDifference> differences;
            const TLinkResult result =
                varno::transfer::RunVerify(link, port, project, differences, observer);
            if (result != TLinkResult::Ok)
                return failed(result, link);
            PortResult r;
            if (differences.isEmpty()) {
                r.lines << QStringLiteral(
                    "The player holds exactly what a transmit of this project writes.");
                r.outcome = QStringLiteral("same");
                r.verified = QStringLiteral("yes");
                return r;
            }
            r.lines << differenceLines(differences);
            r.exit = ExitFailed;
            r.outcome = QStringLiteral("%1 differences").arg(differences.size());
            r.verified = QStringLiteral("no");
            return r;
        });
}

int restore(const QString &backupFile, const TransferOptions &options)
{
    const QString imagePath = backupFile.endsWith(QLatin1String(".img"), Qt::CaseInsensitive)
                                  ? backupFile
                                  : varno::backup::ImagePathFor(backupFile);
    varno::transfer::TPlayerImage image;
    QString error;
    // Only the bytes as read go back: without them, nothing is written.
    if (!varno::backup::LoadImage(imagePath, image, error)) {
        report(error + QStringLiteral("; nothing was written"));
        return ExitFailed;
    }
    return RunOnPorts(
        "restore", options, [&](const QString &port, TComLink &link, TTransferObserver &observer) {
            const auto restored = varno::transfer::RunRestore(link, port, image, observer);
            PortResult r;
            if (!restored.Refused.isEmpty()) {
                r.exit = ExitFailed;
                r.outcome = QStringLiteral("refused: ") + restored.Refused;
                r.problems << QStringLiteral("the backup cannot be put back exactly (%1); nothing "
                                             "was written")
                                  .arg(restored.Refused);
                return r;
            }
            if (restored.Result != TLinkResult::Ok) {
                r = failed(restored.Result, link);
                if (restored.Wrote)
                    r.problems << QStringLiteral("the restore stopped half-way: the player holds "
                                                 "part of the backup; run the restore again");
                return r;
            }
            r.lines << QStringLiteral("Restored the player from ") + imagePath;
            if (!restored.FinalizeConfirmed)
                r.problems << QStringLiteral("warning: the player did not confirm the end of the "
                                             "programming; check that it plays the programs");
            r.verified = restored.Verified ? QStringLiteral("yes") : QStringLiteral("no");
            if (!restored.Verified) {
                r.lines << differenceLines(restored.Differences, QStringLiteral("backup"));
                r.exit = ExitFailed;
                r.outcome = QStringLiteral("written, differs");
                return r;
            }
            r.lines << QStringLiteral("Verified: the player holds exactly what it held at the "
                                      "backup");
            r.outcome = QStringLiteral("ok");
            return r;
        });
}
