#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>

namespace varno::emulator {

// The time one byte takes on the line: 10 bits (start, 8 data, stop) at 57600 baud.
inline constexpr std::chrono::nanoseconds ByteLineTime{1'000'000'000LL * 10 / 57600};

enum class TDirection : std::uint8_t
{
    HostToPlayer,
    PlayerToHost
};

// Ways the emulated player misbehaves; they combine, except that a missing
// trailing acknowledgement wins over a wrong one.
struct TFaults
{
    bool Silent = false;           // reads everything, never answers
    bool Noise = false;            // stray bytes before every acknowledgement
    bool NoTrailingAck = false;    // no acknowledgement after the data of a read
    bool WrongTrailingAck = false; // a wrong byte instead of that acknowledgement
    bool NoFinalizeAck = false;    // takes the finalize command without answering it
    // Closes the line, without answering, at the first command that arrives
    // once this many program blocks have been written or read.
    std::optional<int> HangUpAfterBlocks;
    // Slot whose stored block gets an impossible date (month 13).
    std::optional<int> CorruptDateSlot;
    // Slot whose block is stored with one wrong byte (its first action value)
    // each time it is written, as a failing memory would keep it.
    std::optional<int> CorruptStoredSlot;
};

struct TEmulatorOptions
{
    TFaults Faults;
    // Every byte in either direction takes its line time, as on a real line.
    bool Slow = false;
    // Time the player takes to store a block or a byte before acknowledging.
    std::chrono::microseconds WriteDelay{0};
    // Each reply reaches the host this much later, as a USB serial adapter
    // holds received bytes up to its latency timer.
    std::chrono::milliseconds Latency{0};
    // Called for every byte in either direction, on the emulator's thread.
    std::function<void(TDirection, std::uint8_t)> Log;
    // Called on the emulator's thread after each finalize command.
    std::function<void()> OnFinalize;
};

} // namespace varno::emulator
