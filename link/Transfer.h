#pragma once

#include <QList>
#include <QString>
#include <link/LinkResult.h>
#include <link/Trame.h>
#include <model/Project.h>

class TComLink;

// The stages of a transmit made safe: read the player first, write, read back;
// and the write of a backup's raw image back into the player.
enum class TTransferPhase : quint8
{
    Backup,
    Transmit,
    Verify,
    Restore
};

// Which way a transfer goes: from the programmer into the player, or back.
enum class TTransferDirection : quint8
{
    Receive,
    Transmit
};

// What a transfer tells the one who watches it: the progress dialog in the
// programmer, a progress bar on a terminal.
class TTransferObserver
{
public:
    virtual ~TTransferObserver() = default;
    // The slot loop starts: the bar at 0 and shown, the step label hidden.
    virtual void transferStarted() {}
    // Slot n (1..255) is done, whatever its result.
    virtual void slotDone(int slot) { Q_UNUSED(slot); }
    // The project name and the finalize command follow: the label shown.
    virtual void finalizationStep() {}
    // A failure, reported as it happens (EepromWriteError and EepromReadError
    // for the name bytes).
    virtual void linkFailure(TLinkResult result) { Q_UNUSED(result); }
    // A stage of a safe transmit, or a verify, begins.
    virtual void phaseStarted(TTransferPhase phase) { Q_UNUSED(phase); }
    // Asked between two exchanges: true stops the transfer there, with the line
    // clean (no block half sent), and the transfer returns Cancelled.
    virtual bool cancelRequested() { return false; }
};

// The programs a receive brought back, in slot order.
struct TReceivedPrograms
{
    TProgList programs;
    // Numbers of the programs whose stored date or time did not exist; they
    // were kept with the placeholder's date and clock.
    QList<int> resetSchedules;
};

// Turns the blocks read from the slots into programs, in the order given: an
// empty slot adds none; a date or a time that does not exist takes the one of
// a placeholder made once, and the part that decodes is kept.
class TReceivedDecoder
{
public:
    explicit TReceivedDecoder(TReceivedPrograms &into);
    void add(const TTrameList &block);

private:
    TReceivedPrograms &into_;
    TVARNOProg placeholder_;
};

// What a receive of a whole project brought back, for a front end to show or
// save: the programs held as the programmer holds what it shows, so that both
// programs keep the same bytes, and the player's name once it was read.
struct TReceivedProject
{
    TProject project; // the programs that arrived; the name when it was read
    QList<int> resetSchedules;
    TLinkResult result = TLinkResult::Ok; // of the programs
    bool nameTried = false;
    TLinkResult nameResult = TLinkResult::Ok; // of the name, when it was tried

    bool complete() const { return result == TLinkResult::Ok; }
    bool nameRead() const { return nameTried && nameResult == TLinkResult::Ok; }
};

// Transmit and receive over an open link. Each stops at the first failure,
// reports it to the observer and returns its code.
namespace varno::transfer {

// All 255 slots in ascending order, then the project name, then the finalize
// command. Every block and name byte was acknowledged once the name is
// written, so an unanswered finalize does not fail the transmit; it is told
// through `finalizeConfirmed`, for the user to check the player.
TLinkResult TransmitPrograms(TComLink &link, const TProject &project, TTransferObserver &observer,
                             bool *finalizeConfirmed = nullptr);

// The 64 bytes of the name block: the name's characters, then zero bytes.
TLinkResult WriteProjectName(TComLink &link, const QString &name, TTransferObserver &observer);

// Reads all 255 slots; every slot that holds a program adds one. A slot whose
// read failed adds nothing.
TLinkResult ReceivePrograms(TComLink &link, TReceivedPrograms &received,
                            TTransferObserver &observer);

// Opens the port, runs the transfer, closes the port. After a failed transfer
// the close result is ignored; after a successful one it becomes the result.
TLinkResult RunTransmit(TComLink &link, const QString &portName, const TProject &project,
                        TTransferObserver &observer, bool *finalizeConfirmed = nullptr);
TLinkResult RunReceive(TComLink &link, const QString &portName, TReceivedPrograms &received,
                       TTransferObserver &observer);

// Opens the port on its own, reads the 64 name bytes and closes it. The name
// ends at the first zero byte.
TLinkResult ReadProjectName(TComLink &link, const QString &portName, QString &name,
                            TTransferObserver &observer);

// A receive in its two transfers. The programs first (RunReceive), held; what
// arrived is kept when it fails.
TReceivedProject ReceiveProjectPrograms(TComLink &link, const QString &portName,
                                        TTransferObserver &observer);
// Then the name (ReadProjectName), into the project when it is read; after a
// cancel nothing more is asked of the player. A failed receive still has its
// name read for a front end that keeps what arrived.
void ReceiveProjectName(TComLink &link, const QString &portName, TReceivedProject &received,
                        TTransferObserver &observer);
// Both, the name only once every program arrived.
TReceivedProject ReceiveProject(TComLink &link, const QString &portName,
                                TTransferObserver &observer);

} // namespace varno::transfer
