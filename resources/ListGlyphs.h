#pragma once

// The indexes of the list pictures, without the pictures: code that only names
// a glyph (action captions, reports) needs no GUI library.
namespace pictures {

// 16 x 16: the pictures of the action, value and program number menus and of
// the action buttons, by index.
namespace list {
inline constexpr int TimerFile = 0; // page with a red note
inline constexpr int Directory = 1; // folder
inline constexpr int Sleep = 2;     // Zz
inline constexpr int Command = 3;   // Cmd
inline constexpr int Play = 4;
inline constexpr int Pause = 5;
inline constexpr int Stop = 6;
inline constexpr int Forward = 7;
inline constexpr int Rewind = 8;
inline constexpr int Blank = 9;              // no action: fully transparent
inline constexpr int DirectoryNext = 10;     // Dir+
inline constexpr int DirectoryPrevious = 11; // Dir-
inline constexpr int VolumeUp = 12;
inline constexpr int VolumeDown = 13;
inline constexpr int Usb = 14;
inline constexpr int InternalOutput = 15; // Int
inline constexpr int ExternalOutput = 16; // Ext
inline constexpr int Volume = 17;         // VOL
inline constexpr int Value = 18;          // VAL
inline constexpr int ProgramNumber = 19;  // red diamond
inline constexpr int GoToProgram = 20;    // device with a red diamond
inline constexpr int Count = 21;
} // namespace list

} // namespace pictures
