#pragma once

#include <QList>
#include <QString>
#include <link/LinkResult.h>
#include <link/PlayerImage.h>

class TComLink;
class TTransferObserver;

namespace varno::transfer {

struct TRestoreReport
{
    // The result of the last stage that ran (Cancelled when the user stopped it).
    TLinkResult Result = TLinkResult::Ok;
    // The image could not be written back exactly: nothing was written.
    QString Refused;
    // The write began: the player may hold part of the image.
    bool Wrote = false;
    // The player answered the finalize command.
    bool FinalizeConfirmed = true;
    bool Verified = false;
    // What the player holds that differs from the image, byte for byte.
    QList<TFieldDifference> Differences;

    bool succeeded() const { return Refused.isEmpty() && Result == TLinkResult::Ok && Verified; }
};

// Puts back a raw image read from a player: every slot's 24 bytes and the 64
// bytes of the name block exactly as they were read, nothing re-encoded, then
// the finalize command; then reads the player and compares it byte for byte
// with the image. An image that cannot go back exactly (see
// backup::WhyNotRestorable) is refused before the port is opened.
TRestoreReport RunRestore(TComLink &link, const QString &portName, const TPlayerImage &image,
                          TTransferObserver &observer);

} // namespace varno::transfer
