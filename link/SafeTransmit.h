#pragma once

#include <QList>
#include <QString>
#include <link/LinkResult.h>
#include <link/PlayerImage.h>
#include <link/Transfer.h>

class TComLink;
class TProject;

namespace varno::transfer {

struct TSafeTransmitOptions
{
    // Read the player and save what it holds before writing anything.
    bool Backup = true;
    QString BackupDirectory; // empty: the default backups folder
    // Read the player back after a successful transmit and compare.
    bool Verify = true;
};

// What a safe transmit came to, as the front ends tell it. Result, BackupError,
// BackupPath and Differences of the report give the details.
enum class TSafeOutcome : quint8
{
    Written,                // transmitted; no read-back was asked
    Verified,               // transmitted and read back the same
    VerifyDiffers,          // transmitted, and the read-back differs (Differences)
    VerifyFailed,           // transmitted; the read-back failed or was cancelled (Result)
    CancelledReadingBackup, // stopped while the player was read: nothing written
    BackupReadFailed,       // the player could not be read (Result): nothing written
    BackupNotSaved,         // what it held could not be saved (BackupError): nothing written
    CancelledBeforeWriting, // stopped before the player took a block
    FailedBeforeWriting,    // failed before the player took a block (Result)
    CancelledPartlyWritten, // stopped once the player had taken a block
    FailedPartlyWritten,    // failed once the player had taken a block (Result)
};

struct TSafeTransmitReport
{
    // The result of the last stage that ran (Cancelled when the user stopped it).
    TLinkResult Result = TLinkResult::Ok;
    TTransferPhase Phase = TTransferPhase::Backup;
    // The transmit did not start: the player could not be read (Result says
    // why) or what it held could not be saved (BackupError says why).
    bool BackupFailed = false;
    QString BackupError;
    QString BackupPath; // the backup's project file, if one was made
    // What the player held, exactly as read: the backup a restore writes back.
    TPlayerImage BackupImage;
    bool Verified = false;
    QList<TFieldDifference> Differences;
    QList<int> ResetSchedules; // of the backup: stored dates that did not exist
    // The player answered the finalize command that ends the transmit.
    bool FinalizeConfirmed = true;
    // The transmit stopped (failed or cancelled) once the player had taken a
    // block: it holds part of the new project and part of what it held.
    bool PartlyWritten = false;

    // The transmit itself ran, in full or in part.
    bool wrote() const { return Phase != TTransferPhase::Backup; }
    bool succeeded() const
    {
        return Result == TLinkResult::Ok && !BackupFailed && Differences.isEmpty();
    }
    TSafeOutcome outcome() const;
};

// Backup (when asked), transmit, verify (when asked), each stage announced to
// the observer and each stopping the rest when it fails or is cancelled. The
// transmit never starts without its backup.
TSafeTransmitReport RunSafeTransmit(TComLink &link, const QString &portName,
                                    const TProject &project, const TSafeTransmitOptions &options,
                                    TTransferObserver &observer);

} // namespace varno::transfer
