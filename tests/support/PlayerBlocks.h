#pragma once

// A program as the emulated player stores it.

#include <PlayerEmulator.h>
#include <link/EepromImage.h>

inline varno::emulator::TPlayerMemory::Block storedBlock(const TVARNOProg &program)
{
    TTrameList frames;
    ProgToTrames(program, frames, false);
    varno::emulator::TPlayerMemory::Block block{};
    for (std::size_t k = 0; k < block.size(); ++k)
        block[k] = frames[k].Value;
    return block;
}
