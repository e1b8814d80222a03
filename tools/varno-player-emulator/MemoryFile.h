#pragma once

#include "PlayerMemory.h"

#include <string>
#include <string_view>

// The memory file: plain text, one line per program block, a person can read
// and edit it.
//
//   # comment (also blank lines)
//   slot 001: 00 01 21 00 11 11 11 00 00 00 00 00 00 1C 07 1A 0C 22 FF FF FF FF FF FF
//   name +00: 4D 79 20 70 72 6F 6A 65 63 74 00 00 00 00 00 00
//   byte 1234: 5A
//
// "slot NNN:" (decimal 1..255) is followed by the 24 bytes of that program
// block in hex, byte 0 first. "name +OO:" (hex offset 00..3F) is followed by up
// to 16 bytes of the project name stored from EEPROM address 0x60 0x10 + OO.
// "byte HHLL:" gives one EEPROM byte at address HH LL. What the file does not
// mention keeps the value of an empty player.
namespace varno::emulator {

std::string FormatMemory(const TPlayerMemory &memory);
// Applies the lines of `text` to `memory`. On a malformed line returns false
// with "line N: what is wrong" in `error`, and `memory` may be half changed.
bool ParseMemory(std::string_view text, TPlayerMemory &memory, std::string &error);

// An empty player changed by the file's lines.
bool LoadMemoryFile(const std::string &path, TPlayerMemory &memory, std::string &error);
// Writes through a temporary file, so that a reader never sees half a file.
bool SaveMemoryFile(const std::string &path, const TPlayerMemory &memory, std::string &error);

} // namespace varno::emulator
