#pragma once

#include "EmulatorOptions.h"
#include "PlayerMemory.h"
#include "Pty.h"

#include <atomic>
#include <mutex>
#include <string>
#include <thread>

namespace varno::emulator {

class TPlayerLine;

// The player's side of the serial line on a pseudo-terminal: it answers the
// five host commands as the player does, keeps the blocks and EEPROM bytes it
// is sent, and misbehaves as its faults say. It serves either on the calling
// thread (serve) or on a thread of its own (start, stop).
class TPlayerEmulator
{
public:
    explicit TPlayerEmulator(TEmulatorOptions options = {},
                             TPlayerMemory memory = TPlayerMemory::Empty());
    ~TPlayerEmulator();
    TPlayerEmulator(const TPlayerEmulator &) = delete;
    TPlayerEmulator &operator=(const TPlayerEmulator &) = delete;

    // Creates the pseudo-terminal; devicePath() is then the port to open.
    bool open(std::string &error);
    const std::string &devicePath() const { return pty_.devicePath(); }

    // Serves until stop is requested or the line is closed (a hang-up fault).
    void serve();
    void start();
    // Ends serving, joins the thread. The line stays open until destruction.
    void stop();
    // Writing one byte to it makes serve() return; safe from a signal handler.
    int stopDescriptor() const { return stopPipe_[1]; }

    TPlayerMemory memory() const;
    // Program blocks written or read so far.
    int blockCount() const { return blocks_.load(); }
    bool hungUp() const { return hungUp_.load(); }

private:
    bool handle(TPlayerLine &line, std::uint8_t command);
    bool writeBlock(TPlayerLine &line);
    bool readBlock(TPlayerLine &line);
    bool writeByte(TPlayerLine &line);
    bool readByte(TPlayerLine &line);
    bool finalize(TPlayerLine &line);
    bool acknowledge(TPlayerLine &line, std::uint8_t ack = 0x01);
    bool trailingAcknowledge(TPlayerLine &line);
    void store(const TPlayerMemory::Block &block);

    TEmulatorOptions options_;
    mutable std::mutex mutex_; // guards memory_
    TPlayerMemory memory_;
    TPty pty_;
    int stopPipe_[2] = {-1, -1};
    std::thread thread_;
    std::atomic<int> blocks_{0};
    std::atomic<bool> hungUp_{false};
};

} // namespace varno::emulator
