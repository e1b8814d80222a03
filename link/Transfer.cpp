#include <link/ComLink.h>
#include <link/EepromImage.h>
#include <link/Transfer.h>
#include <link/TransmitImage.h>
#include <model/Errors.h>
#include <model/HeldProject.h>
#include <model/Project.h>

TReceivedDecoder::TReceivedDecoder(TReceivedPrograms &into) : into_(into)
{
    placeholder_.DefaultInActiveProg();
}

void TReceivedDecoder::add(const TTrameList &block)
{
    if (IsEmptySlot(block))
        return;
    TVARNOProg *program = into_.programs.Add();
    if (!varno::eeprom::TramesToProgWithFallback(*program, block, placeholder_))
        into_.resetSchedules << int(program->NumOfProg);
}

namespace varno::transfer {

TLinkResult WriteProjectName(TComLink &link, const QString &name, TTransferObserver &observer)
{
    const QByteArray block = eeprom::ProjectNameBlock(name);
    for (int i = 0; i < eeprom::NameSize; ++i) {
        if (observer.cancelRequested())
            return TLinkResult::Cancelled;
        const TLinkResult result = link.WriteEepromByte(
            eeprom::NameAddressHigh, quint8(eeprom::NameAddressLow + i), quint8(block[i]));
        if (result != TLinkResult::Ok) {
            observer.linkFailure(TLinkResult::EepromWriteError);
            return result;
        }
    }
    return TLinkResult::Ok;
}

TLinkResult TransmitPrograms(TComLink &link, const TProject &project, TTransferObserver &observer,
                             bool *finalizeConfirmed)
{
    observer.transferStarted();
    eeprom::TransmitSequence sequence(project.Programs);
    for (int slot = 1; slot <= eeprom::SlotCount; ++slot) {
        if (observer.cancelRequested())
            return TLinkResult::Cancelled;
        const TTrameList block = sequence.blockForSlot(quint8(slot));
        const TLinkResult result = link.WriteBlock(block);
        if (result != TLinkResult::Ok)
            observer.linkFailure(result);
        observer.slotDone(slot);
        if (result != TLinkResult::Ok)
            return result;
    }
    observer.finalizationStep();
    const TLinkResult named = WriteProjectName(link, project.Group.Name, observer);
    if (named == TLinkResult::Ok) {
        const bool confirmed = link.SendFinalize() == TLinkResult::Ok;
        if (finalizeConfirmed)
            *finalizeConfirmed = confirmed;
    }
    return named;
}

TLinkResult ReceivePrograms(TComLink &link, TReceivedPrograms &received,
                            TTransferObserver &observer)
{
    observer.transferStarted();
    TReceivedDecoder decoder(received);
    for (int slot = 1; slot <= eeprom::SlotCount; ++slot) {
        if (observer.cancelRequested())
            return TLinkResult::Cancelled; // what arrived is kept
        TTrameList block;
        const TLinkResult result = link.ReadBlock(quint8(slot), block);
        if (result != TLinkResult::Ok) {
            // Nothing of this slot arrived: no program for it.
            observer.linkFailure(result);
            observer.slotDone(slot);
            return result;
        }
        decoder.add(block);
        observer.slotDone(slot);
    }
    observer.finalizationStep();
    link.SendFinalize();
    return TLinkResult::Ok;
}

namespace {

template <typename Transfer>
TLinkResult run(TComLink &link, const QString &portName, TTransferObserver &observer,
                Transfer transfer)
{
    const TLinkResult opened = link.OpenComPort(portName);
    if (opened != TLinkResult::Ok) {
        observer.linkFailure(opened);
        return opened;
    }
    const TLinkResult result = transfer();
    const TLinkResult closed = link.CloseComPort();
    return result != TLinkResult::Ok ? result : closed;
}

} // namespace

TLinkResult RunTransmit(TComLink &link, const QString &portName, const TProject &project,
                        TTransferObserver &observer, bool *finalizeConfirmed)
{
    return run(link, portName, observer,
               [&] { return TransmitPrograms(link, project, observer, finalizeConfirmed); });
}

TLinkResult RunReceive(TComLink &link, const QString &portName, TReceivedPrograms &received,
                       TTransferObserver &observer)
{
    return run(link, portName, observer, [&] { return ReceivePrograms(link, received, observer); });
}

TLinkResult ReadProjectName(TComLink &link, const QString &portName, QString &name,
                            TTransferObserver &observer)
{
    const TLinkResult opened = link.OpenComPort(portName);
    if (opened != TLinkResult::Ok) {
        observer.linkFailure(opened);
        return opened;
    }
    QByteArray block;
    for (int i = 0; i < eeprom::NameSize; ++i) {
        if (observer.cancelRequested()) {
            link.CloseComPort();
            return TLinkResult::Cancelled;
        }
        quint8 value = 0;
        const TLinkResult result =
            link.ReadEepromByte(eeprom::NameAddressHigh, quint8(eeprom::NameAddressLow + i), value);
        if (result != TLinkResult::Ok) {
            observer.linkFailure(TLinkResult::EepromReadError);
            link.CloseComPort();
            return result;
        }
        block.append(char(value));
    }
    const TLinkResult closed = link.CloseComPort();
    if (closed != TLinkResult::Ok) {
        observer.linkFailure(closed);
        return closed;
    }
    // The name ends at its first zero byte; what follows it means nothing.
    name = eeprom::ReceivedProjectName(block);
    return TLinkResult::Ok;
}

TReceivedProject ReceiveProjectPrograms(TComLink &link, const QString &portName,
                                        TTransferObserver &observer)
{
    TReceivedProject received;
    TReceivedPrograms programs;
    received.result = RunReceive(link, portName, programs, observer);
    varno::actions::HoldPrograms(programs.programs);
    received.project.Programs = std::move(programs.programs);
    received.resetSchedules = programs.resetSchedules;
    return received;
}

void ReceiveProjectName(TComLink &link, const QString &portName, TReceivedProject &received,
                        TTransferObserver &observer)
{
    if (received.result == TLinkResult::Cancelled)
        return;
    QString name;
    received.nameTried = true;
    received.nameResult = ReadProjectName(link, portName, name, observer);
    if (received.nameResult == TLinkResult::Ok)
        received.project.Group.Name = name;
}

TReceivedProject ReceiveProject(TComLink &link, const QString &portName,
                                TTransferObserver &observer)
{
    TReceivedProject received = ReceiveProjectPrograms(link, portName, observer);
    if (received.complete())
        ReceiveProjectName(link, portName, received, observer);
    return received;
}

} // namespace varno::transfer
