#pragma once

#include <QByteArray>
#include <QString>

// The one conversion between the player's and the project files' single-byte
// Western European text (Windows-1252) and QString. Every byte 0x00..0xFF decodes
// to one character and encodes back to itself; the five bytes that Windows-1252
// leaves undefined map to the C1 controls U+0081, U+008D, U+008F, U+0090, U+009D.
namespace varno::cp1252 {

QString Decode(const QByteArray &bytes);

// A character that Windows-1252 cannot hold becomes '?' (one per code point).
QByteArray Encode(const QString &text);

// True when every character of the text survives Encode().
bool CanEncode(const QString &text);

} // namespace varno::cp1252
