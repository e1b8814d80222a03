#include "PlayerMemory.h"

#include <link/EepromImage.h>

namespace varno::emulator {

TPlayerMemory TPlayerMemory::Empty()
{
    TPlayerMemory memory;
    for (int slot = 1; slot <= SlotCount; ++slot) {
        const TTrameList frames = varno::eeprom::EmptySlotBlock(std::uint8_t(slot));
        for (int i = 0; i < BlockSize; ++i)
            memory.blocks_[std::size_t(slot)][std::size_t(i)] = frames.at(std::size_t(i)).Value;
    }
    return memory;
}

void TPlayerMemory::setBlock(int slot, const Block &block)
{
    if (slot >= 1 && slot <= SlotCount)
        blocks_[std::size_t(slot)] = block;
}

std::array<std::uint8_t, TPlayerMemory::NameSize> TPlayerMemory::name() const
{
    std::array<std::uint8_t, NameSize> bytes{};
    for (int i = 0; i < NameSize; ++i)
        bytes[std::size_t(i)] = byte(NameAddressHigh, std::uint8_t(NameAddressLow + i));
    return bytes;
}

void CorruptDate(TPlayerMemory::Block &block)
{
    constexpr std::size_t weekdayMonth = 13;
    block[weekdayMonth] = std::uint8_t((block[weekdayMonth] & 0xF0) | 0x0D);
}

} // namespace varno::emulator
