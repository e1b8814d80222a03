#pragma once

#include "EmulatorOptions.h"

#include <chrono>
#include <cstdint>
#include <deque>
#include <optional>
#include <span>

namespace varno::emulator {

// The player's end of the line: bytes in and out of the pseudo-terminal's
// master, logged, and when paced each taking its line time. Every wait also
// watches the stop descriptor, so that a stop request ends it at once.
class TPlayerLine
{
public:
    using Clock = std::chrono::steady_clock;

    TPlayerLine(int master, int stopDescriptor, const TEmulatorOptions &options);

    // The next byte from the host, or nothing when the time-out passed, a stop
    // was requested or the line is gone (see stopped() and closed()).
    std::optional<std::uint8_t> receive(std::optional<std::chrono::milliseconds> timeout);
    bool send(std::span<const std::uint8_t> bytes);
    // Waits, unless a stop is requested first. False when stopped.
    bool pause(std::chrono::microseconds duration);

    bool stopped() const { return stopped_; }
    bool closed() const { return closed_; }

private:
    struct Received
    {
        std::uint8_t Byte;
        Clock::time_point At;
    };

    bool fill(std::optional<std::chrono::milliseconds> timeout);
    void sleepUntil(Clock::time_point deadline);

    int master_;
    int stop_;
    const TEmulatorOptions &options_;
    std::deque<Received> pending_;
    Clock::time_point receiveFree_{}; // when the host-to-player wire is free again
    Clock::time_point sendFree_{};    // when the player-to-host wire is free again
    bool stopped_ = false;
    bool closed_ = false;
};

} // namespace varno::emulator
