#include "Pty.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

namespace varno::emulator {

TPty::~TPty()
{
    close();
}

bool TPty::open(std::string &error)
{
    close();
    const auto failWith = [&](const char *step) {
        error = std::string(step) + ": " + std::strerror(errno);
        close();
        return false;
    };
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0)
        return failWith("posix_openpt");
    ::fcntl(master_, F_SETFD, FD_CLOEXEC);
    if (::grantpt(master_) != 0)
        return failWith("grantpt");
    if (::unlockpt(master_) != 0)
        return failWith("unlockpt");
    const char *name = ::ptsname(master_);
    if (name == nullptr)
        return failWith("ptsname");
    devicePath_ = name;
    slave_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave_ < 0)
        return failWith("open port side");
    termios settings{};
    if (::tcgetattr(slave_, &settings) != 0)
        return failWith("tcgetattr");
    ::cfmakeraw(&settings);
    ::cfsetispeed(&settings, B57600);
    ::cfsetospeed(&settings, B57600);
    if (::tcsetattr(slave_, TCSANOW, &settings) != 0)
        return failWith("tcsetattr");
    return true;
}

void TPty::close()
{
    if (master_ >= 0)
        ::close(master_);
    if (slave_ >= 0)
        ::close(slave_);
    master_ = -1;
    slave_ = -1;
}

} // namespace varno::emulator
