#pragma once

#include <string>

namespace varno::emulator {

// A pseudo-terminal: the player's end (the master) and the port end (the slave
// device) the programmer opens. The slave stays open here for the whole life of
// the pair, so that the programmer closing and reopening the port never looks
// like a hang-up; it is in raw mode (no echo, no line editing, no translation).
class TPty
{
public:
    TPty() = default;
    ~TPty();
    TPty(const TPty &) = delete;
    TPty &operator=(const TPty &) = delete;

    bool open(std::string &error);
    // Closes both ends: the programmer's port sees the line go away.
    void close();

    bool isOpen() const { return master_ >= 0; }
    int master() const { return master_; }
    const std::string &devicePath() const { return devicePath_; }

private:
    int master_ = -1;
    int slave_ = -1;
    std::string devicePath_;
};

} // namespace varno::emulator
