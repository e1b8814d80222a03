#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace varno::emulator {

// What the player keeps: one 24-byte block per program number 1..255, and an
// EEPROM byte space addressed by two bytes, which holds the 64 bytes of the
// project name at 0x60 0x10..0x4F.
class TPlayerMemory
{
public:
    static constexpr int BlockSize = 24;
    static constexpr int SlotCount = 255;
    static constexpr int NameSize = 64;
    static constexpr std::uint8_t NameAddressHigh = 0x60;
    static constexpr std::uint8_t NameAddressLow = 0x10;
    using Block = std::array<std::uint8_t, BlockSize>;

    // A player that holds no program: every slot carries its empty-slot block
    // (dated now), every EEPROM byte is 0.
    static TPlayerMemory Empty();

    // Slot 0 does not exist: it reads as 24 zero bytes and is never stored.
    const Block &block(int slot) const { return blocks_.at(std::size_t(slot)); }
    void setBlock(int slot, const Block &block);

    std::uint8_t byte(std::uint8_t address1, std::uint8_t address2) const
    {
        return eeprom_[address(address1, address2)];
    }
    void setByte(std::uint8_t address1, std::uint8_t address2, std::uint8_t value)
    {
        eeprom_[address(address1, address2)] = value;
    }
    std::array<std::uint8_t, NameSize> name() const;

    bool operator==(const TPlayerMemory &) const = default;

private:
    static std::size_t address(std::uint8_t a1, std::uint8_t a2)
    {
        return std::size_t(a1) << 8 | a2;
    }

    std::array<Block, SlotCount + 1> blocks_{};
    std::vector<std::uint8_t> eeprom_ = std::vector<std::uint8_t>(65536, 0);
};

// Makes the date of a block impossible (month 13), keeping the weekday.
void CorruptDate(TPlayerMemory::Block &block);

} // namespace varno::emulator
