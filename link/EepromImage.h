#pragma once

#include <QByteArray>
#include <QString>
#include <link/Trame.h>
#include <model/ProjectClasses.h>

class TProgList;

// The bytes the player keeps in EEPROM: one 24-byte block per program number
// and a 64-byte project name.
namespace varno::eeprom {

inline constexpr int BlockSize = 24;
inline constexpr int SlotCount = 255;
inline constexpr int NameSize = 64;
inline constexpr quint8 NameAddressHigh = 0x60; // first address byte of the name
inline constexpr quint8 NameAddressLow = 0x10;  // second address byte of name byte 0
inline constexpr quint8 EmptySlotMarker = 0x80; // bit 7 of byte 2

QByteArray ToBytes(const TTrameList &frames);
TTrameList FromBytes(const QByteArray &bytes);

// The 64 bytes of a project name: the name in Windows-1252, cut at 64
// characters, then zero bytes.
QByteArray ProjectNameBlock(const QString &name);

// All 64 bytes read back become the name, zero bytes included.
QString ProjectNameFromBlock(const QByteArray &block);

// The name a player holds: the characters before the first zero byte.
QString ReceivedProjectName(const QByteArray &block);

} // namespace varno::eeprom

// Appends the 24 frames of the record's block to an empty list. With emptySlot
// the block carries the empty-slot marker. The encoder checks nothing: a field
// beyond its range spills into its neighbours, as the player would read it.
void ProgToTrames(const TVARNOProg &program, TTrameList &frames, bool emptySlot);

// Overwrites every field the player stores from frames 1..23 (frame 0 is not
// read); Title, Color and Comment stay. A date or time that does not exist
// throws TDateTimeEncodingError after the fields before it were set.
// Throws std::invalid_argument when the list holds fewer than 24 frames.
void TramesToProg(TVARNOProg &program, const TTrameList &frames);

// True when the block carries the empty-slot marker.
bool IsEmptySlot(const TTrameList &frames);

namespace varno::eeprom {

// As TramesToProg, but a date or a time of day that does not exist takes the
// one of fallback, alone: the other part and every other field are decoded.
// False when a part took the fallback's.
bool TramesToProgWithFallback(TVARNOProg &program, const TTrameList &frames,
                              const TVARNOProg &fallback);

// The block that stands for number n when no program holds it: a record reset
// with DefaultInActiveProg, numbered n, with the marker set.
TTrameList EmptySlotBlock(quint8 number);

} // namespace varno::eeprom
