#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <array>
#include <link/LinkResult.h>
#include <text/Language.h>

class TComLink;
class TProject;
class TTransferObserver;

namespace varno::transfer {

// What the player holds: the 24-byte block of every slot 1..255 (index 0 is
// slot 1) and the 64 bytes of the project name.
struct TPlayerImage
{
    std::array<QByteArray, 255> Slots;
    QByteArray Name;
};

// What the player holds once a transmit of the project has ended: each block
// in the slot its number names, a later one over an earlier one.
TPlayerImage ImageAfterTransmit(const TProject &project);

// The stored fields, as the player keeps them.
enum class TField : quint8
{
    Presence, // a program in the slot, or its empty-slot block
    Number,
    ActionCount,
    TimerOn,
    Active,
    DateMode,
    Prioritary,
    ActionKind,
    ActionNumber,
    ActionValue,
    WeekDay,
    Date,
    Hour,
    Minute,
    Name,
    Block // bytes of a slot or of the name that no field above shows
};

// One field that differs. Program is the slot's number (0 for the name);
// Action is 1..6 for the action fields. The values are as stored, the date as
// yyyy-mm-dd; an absent program is an empty value.
struct TFieldDifference
{
    int Program = 0;
    TField Field = TField::Presence;
    int Action = 0;
    QString Sent;
    QString Read;

    bool operator==(const TFieldDifference &) const = default;
};

// Every field of `read` that differs from `sent`, in slot order then the name.
// Slots that are empty in both are equal whatever their other bytes hold.
QList<TFieldDifference> CompareImages(const TPlayerImage &sent, const TPlayerImage &read);

// As CompareImages, and byte for byte: a slot (or the name block) whose bytes
// differ where no field shows it, empty slots included, adds a Block
// difference with both as hexadecimal bytes. For a restore, which must put
// back exactly what was read.
QList<TFieldDifference> CompareExactly(const TPlayerImage &expected, const TPlayerImage &read);

// The field's name in a language ("Action 2 value").
QString FieldName(const TFieldDifference &difference, text::Language language);

// Reads every slot and the name over an open link, stopping at the first
// failure or when the observer asks to cancel.
TLinkResult ReadPlayerImage(TComLink &link, TPlayerImage &image, TTransferObserver &observer);

// Opens the port, reads every slot and the name, closes the port.
TLinkResult RunReadPlayer(TComLink &link, const QString &portName, TPlayerImage &image,
                          TTransferObserver &observer);

// Opens the port, reads the player, closes the port, and compares what it
// holds with what a transmit of the project writes.
TLinkResult RunVerify(TComLink &link, const QString &portName, const TProject &project,
                      QList<TFieldDifference> &differences, TTransferObserver &observer);

} // namespace varno::transfer
