#pragma once

#include <QByteArray>
#include <QString>
#include <link/PlayerImage.h>

// The raw image kept beside each backup: what the player held, byte for byte,
// as read. A project file cannot hold every block a player may hold (a month
// 13, a year byte above 99, a byte 0 that is not zero); the image can, and a
// restore writes it back as it is.
//
// Layout of NAME.img: the 24-byte blocks of slots 1 to 255 in slot order, then
// the 64 bytes of the project name block: 6184 bytes, nothing else.
namespace varno::backup {

inline constexpr int ImageFileSize = 255 * 24 + 64;

// "D/2026-12-08_14-55-03_Hall.prg" gives "D/2026-12-08_14-55-03_Hall.img".
QString ImagePathFor(const QString &backupPath);

QByteArray ImageFileBytes(const transfer::TPlayerImage &image);

// Empty when the image can be written back exactly: every slot n holds 24
// bytes that carry the number n (the player stores a written block under the
// number it carries), and the name block is 64 bytes. Otherwise says why.
QString WhyNotRestorable(const transfer::TPlayerImage &image);

// Reads an image file and checks it as above. False, with `error` saying what
// is wrong, when it is missing, unreadable, of another size or damaged.
bool LoadImage(const QString &imagePath, transfer::TPlayerImage &image, QString &error);

} // namespace varno::backup
