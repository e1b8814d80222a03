// varno-player-emulator: the player's side of the serial line on a
// pseudo-terminal. See README.md.

#include "CommandLine.h"
#include "MemoryFile.h"
#include "PlayerEmulator.h"

#include <QCoreApplication>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

using namespace varno::emulator;

namespace {

int stopDescriptor = -1;

extern "C" void requestStop(int)
{
    const char byte = 0;
    const int savedErrno = errno;
    if (::write(stopDescriptor, &byte, 1) < 0) {
        // nothing more can be done in a signal handler
    }
    errno = savedErrno;
}

void installSignalHandlers()
{
    struct sigaction action
    {
    };
    action.sa_handler = requestStop;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);
}

bool makeLink(const std::string &link, const std::string &target)
{
    struct stat info
    {
    };
    if (::lstat(link.c_str(), &info) == 0) {
        if (!S_ISLNK(info.st_mode)) {
            std::fprintf(stderr, "varno-player-emulator: %s exists and is not a symbolic link\n",
                         link.c_str());
            return false;
        }
        ::unlink(link.c_str());
    }
    if (::symlink(target.c_str(), link.c_str()) != 0) {
        std::fprintf(stderr, "varno-player-emulator: cannot link %s: %s\n", link.c_str(),
                     std::strerror(errno));
        return false;
    }
    return true;
}

// Removes the link unless something else has replaced it meanwhile.
void removeLink(const std::string &link, const std::string &target)
{
    char buffer[4096];
    const ssize_t length = ::readlink(link.c_str(), buffer, sizeof buffer - 1);
    if (length > 0 && std::string(buffer, std::size_t(length)) == target)
        ::unlink(link.c_str());
}

void save(const std::string &path, const TPlayerMemory &memory)
{
    std::string error;
    if (!SaveMemoryFile(path, memory, error))
        std::fprintf(stderr, "varno-player-emulator: cannot save the memory: %s\n", error.c_str());
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    TCommandLine commandLine;
    QString message;
    switch (ParseCommandLine(QCoreApplication::arguments(), commandLine, message)) {
    case TParseOutcome::Help:
        std::fputs(qPrintable(message), stdout);
        return 0;
    case TParseOutcome::Error:
        std::fprintf(stderr, "varno-player-emulator: %s\n", qPrintable(message));
        return 2;
    case TParseOutcome::Run:
        break;
    }

    TPlayerMemory memory = TPlayerMemory::Empty();
    std::string error;
    if (!commandLine.LoadPath.empty() && !LoadMemoryFile(commandLine.LoadPath, memory, error)) {
        std::fprintf(stderr, "varno-player-emulator: %s\n", error.c_str());
        return 1;
    }

    TEmulatorOptions options = commandLine.Options;
    const auto started = std::chrono::steady_clock::now();
    if (commandLine.Log) {
        options.Log = [started](TDirection direction, std::uint8_t byte) {
            const std::chrono::duration<double> at = std::chrono::steady_clock::now() - started;
            std::fprintf(stderr, "%11.6f %s %02X\n", at.count(),
                         direction == TDirection::HostToPlayer ? "host->player" : "player->host",
                         byte);
        };
    }
    TPlayerEmulator *running = nullptr;
    if (!commandLine.SavePath.empty()) {
        options.OnFinalize = [&running, &commandLine] {
            save(commandLine.SavePath, running->memory());
        };
    }

    TPlayerEmulator emulator(std::move(options), std::move(memory));
    running = &emulator;
    if (!emulator.open(error)) {
        std::fprintf(stderr, "varno-player-emulator: cannot create the pseudo-terminal: %s\n",
                     error.c_str());
        return 1;
    }
    if (!commandLine.LinkPath.empty() && !makeLink(commandLine.LinkPath, emulator.devicePath()))
        return 1;
    // The first line tells whoever waits for it that the port is ready.
    std::printf("%s\n", emulator.devicePath().c_str());
    std::fflush(stdout);

    stopDescriptor = emulator.stopDescriptor();
    installSignalHandlers();
    emulator.serve();
    if (emulator.hungUp())
        std::fprintf(stderr, "varno-player-emulator: hung up after %d program blocks\n",
                     emulator.blockCount());

    if (!commandLine.SavePath.empty())
        save(commandLine.SavePath, emulator.memory());
    if (!commandLine.LinkPath.empty())
        removeLink(commandLine.LinkPath, emulator.devicePath());
    return 0;
}
