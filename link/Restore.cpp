#include <link/BackupImage.h>
#include <link/ComLink.h>
#include <link/EepromImage.h>
#include <link/Restore.h>
#include <link/Transfer.h>

namespace varno::transfer {

namespace {

// The slots in ascending order, then the name bytes, then the finalize command.
TLinkResult writeImage(TComLink &link, const TPlayerImage &image, TTransferObserver &observer,
                       bool &wrote, bool &finalizeConfirmed)
{
    observer.transferStarted();
    for (int slot = 1; slot <= eeprom::SlotCount; ++slot) {
        if (observer.cancelRequested())
            return TLinkResult::Cancelled;
        wrote = true;
        const TLinkResult result =
            link.WriteBlock(eeprom::FromBytes(image.Slots[std::size_t(slot - 1)]));
        if (result != TLinkResult::Ok)
            observer.linkFailure(result);
        observer.slotDone(slot);
        if (result != TLinkResult::Ok)
            return result;
    }
    observer.finalizationStep();
    for (int i = 0; i < eeprom::NameSize; ++i) {
        if (observer.cancelRequested())
            return TLinkResult::Cancelled;
        const TLinkResult result = link.WriteEepromByte(
            eeprom::NameAddressHigh, quint8(eeprom::NameAddressLow + i), quint8(image.Name[i]));
        if (result != TLinkResult::Ok) {
            observer.linkFailure(TLinkResult::EepromWriteError);
            return result;
        }
    }
    finalizeConfirmed = link.SendFinalize() == TLinkResult::Ok;
    return TLinkResult::Ok;
}

} // namespace

TRestoreReport RunRestore(TComLink &link, const QString &portName, const TPlayerImage &image,
                          TTransferObserver &observer)
{
    TRestoreReport report;
    report.Refused = backup::WhyNotRestorable(image);
    if (!report.Refused.isEmpty())
        return report;
    observer.phaseStarted(TTransferPhase::Restore);
    const TLinkResult opened = link.OpenComPort(portName);
    if (opened != TLinkResult::Ok) {
        observer.linkFailure(opened);
        report.Result = opened;
        return report;
    }
    report.Result = writeImage(link, image, observer, report.Wrote, report.FinalizeConfirmed);
    const TLinkResult closed = link.CloseComPort();
    if (report.Result == TLinkResult::Ok && closed != TLinkResult::Ok) {
        observer.linkFailure(closed);
        report.Result = closed;
    }
    if (report.Result != TLinkResult::Ok)
        return report;
    observer.phaseStarted(TTransferPhase::Verify);
    TPlayerImage read;
    report.Result = RunReadPlayer(link, portName, read, observer);
    if (report.Result != TLinkResult::Ok)
        return report;
    report.Differences = CompareExactly(image, read);
    report.Verified = report.Differences.isEmpty();
    return report;
}

} // namespace varno::transfer
