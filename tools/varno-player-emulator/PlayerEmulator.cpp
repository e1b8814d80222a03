#include "PlayerEmulator.h"

#include "PlayerLine.h"

#include <fcntl.h>
#include <iterator>
#include <unistd.h>
#if defined(__linux__)
#include <sys/prctl.h>
#endif

namespace varno::emulator {

namespace {

constexpr std::uint8_t Ack = 0x01;
constexpr std::uint8_t WriteEepromByte = 0x08;
constexpr std::uint8_t ReadEepromByte = 0x09;
constexpr std::uint8_t WriteBlock = 0x0A;
constexpr std::uint8_t ReadBlock = 0x0B;
constexpr std::uint8_t Finalize = 0x0C;
constexpr std::uint8_t WrongAck = 0xEE;
constexpr std::uint8_t Noise[] = {0x00, 0xFF, 0x55};

// Within an exchange the player gives up on a host that stops sending and
// waits for a command again.
constexpr std::chrono::milliseconds ExchangeTimeout{1000};

} // namespace

TPlayerEmulator::TPlayerEmulator(TEmulatorOptions options, TPlayerMemory memory)
    : options_(std::move(options)), memory_(std::move(memory))
{
    if (::pipe(stopPipe_) == 0) {
        ::fcntl(stopPipe_[0], F_SETFD, FD_CLOEXEC);
        ::fcntl(stopPipe_[1], F_SETFD, FD_CLOEXEC);
    }
    if (const auto slot = options_.Faults.CorruptDateSlot;
        slot && *slot >= 1 && *slot <= TPlayerMemory::SlotCount) {
        TPlayerMemory::Block block = memory_.block(*slot);
        CorruptDate(block);
        memory_.setBlock(*slot, block);
    }
}

TPlayerEmulator::~TPlayerEmulator()
{
    stop();
    pty_.close();
    for (int fd : stopPipe_) {
        if (fd >= 0)
            ::close(fd);
    }
}

bool TPlayerEmulator::open(std::string &error)
{
    return pty_.open(error);
}

void TPlayerEmulator::start()
{
    if (!thread_.joinable())
        thread_ = std::thread([this] { serve(); });
}

void TPlayerEmulator::stop()
{
    if (!thread_.joinable())
        return;
    const char byte = 0;
    while (::write(stopPipe_[1], &byte, 1) < 0 && errno == EINTR) {
    }
    thread_.join();
    // Ready for another start().
    char drain[16];
    ::fcntl(stopPipe_[0], F_SETFL, O_NONBLOCK);
    while (::read(stopPipe_[0], drain, sizeof drain) > 0) {
    }
    ::fcntl(stopPipe_[0], F_SETFL, 0);
}

TPlayerMemory TPlayerEmulator::memory() const
{
    std::lock_guard lock(mutex_);
    return memory_;
}

void TPlayerEmulator::serve()
{
    if (!pty_.isOpen())
        return;
#if defined(__linux__)
    // Wake-ups as close to the asked time as the kernel can: a byte lasts 174 µs.
    ::prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
#endif
    TPlayerLine line(pty_.master(), stopPipe_[0], options_);
    while (const auto command = line.receive(std::nullopt)) {
        if (options_.Faults.Silent)
            continue;
        if (!handle(line, *command))
            break;
    }
}

bool TPlayerEmulator::handle(TPlayerLine &line, std::uint8_t command)
{
    if (command < WriteEepromByte || command > Finalize)
        return true; // a stray byte: the player waits for a command
    if (const auto limit = options_.Faults.HangUpAfterBlocks; limit && blocks_ >= *limit) {
        hungUp_ = true;
        pty_.close();
        return false;
    }
    bool ok = true;
    switch (command) {
    case WriteBlock:
        ok = writeBlock(line);
        break;
    case ReadBlock:
        ok = readBlock(line);
        break;
    case WriteEepromByte:
        ok = writeByte(line);
        break;
    case ReadEepromByte:
        ok = readByte(line);
        break;
    case Finalize:
        ok = finalize(line);
        break;
    default:
        break;
    }
    // An exchange the host abandoned half-way leaves the player waiting for
    // the next command; only a stop or a closed line ends the service.
    return ok || (!line.stopped() && !line.closed());
}

// Stray bytes and the acknowledgement go out in one write: once the host has
// read the first of them, all of them are there for its next purge.
bool TPlayerEmulator::acknowledge(TPlayerLine &line, std::uint8_t ack)
{
    std::uint8_t bytes[std::size(Noise) + 1];
    std::size_t count = 0;
    if (options_.Faults.Noise) {
        for (std::uint8_t stray : Noise)
            bytes[count++] = stray;
    }
    bytes[count++] = ack;
    return line.send({bytes, count});
}

bool TPlayerEmulator::trailingAcknowledge(TPlayerLine &line)
{
    if (options_.Faults.NoTrailingAck)
        return true;
    return acknowledge(line, options_.Faults.WrongTrailingAck ? WrongAck : Ack);
}

void TPlayerEmulator::store(const TPlayerMemory::Block &block)
{
    const int slot = block[1]; // the block carries its own number
    TPlayerMemory::Block stored = block;
    if (options_.Faults.CorruptDateSlot == slot)
        CorruptDate(stored);
    if (options_.Faults.CorruptStoredSlot == slot)
        stored[18] ^= 0x01;
    std::lock_guard lock(mutex_);
    memory_.setBlock(slot, stored);
}

bool TPlayerEmulator::writeBlock(TPlayerLine &line)
{
    if (!acknowledge(line))
        return false;
    TPlayerMemory::Block block{};
    for (std::uint8_t &byte : block) {
        const auto received = line.receive(ExchangeTimeout);
        if (!received)
            return false;
        byte = *received;
    }
    store(block);
    ++blocks_;
    return line.pause(options_.WriteDelay) && acknowledge(line);
}

bool TPlayerEmulator::readBlock(TPlayerLine &line)
{
    if (!acknowledge(line))
        return false;
    const auto slot = line.receive(ExchangeTimeout);
    if (!slot || !acknowledge(line))
        return false;
    TPlayerMemory::Block block{};
    if (*slot >= 1) {
        std::lock_guard lock(mutex_);
        block = memory_.block(*slot);
    }
    if (!line.send(block))
        return false;
    ++blocks_;
    return trailingAcknowledge(line);
}

bool TPlayerEmulator::writeByte(TPlayerLine &line)
{
    if (!acknowledge(line))
        return false;
    std::uint8_t bytes[3];
    for (std::uint8_t &byte : bytes) {
        const auto received = line.receive(ExchangeTimeout);
        if (!received)
            return false;
        byte = *received;
    }
    {
        std::lock_guard lock(mutex_);
        memory_.setByte(bytes[0], bytes[1], bytes[2]);
    }
    return line.pause(options_.WriteDelay) && acknowledge(line);
}

bool TPlayerEmulator::readByte(TPlayerLine &line)
{
    if (!acknowledge(line))
        return false;
    std::uint8_t address[2];
    for (std::uint8_t &byte : address) {
        const auto received = line.receive(ExchangeTimeout);
        if (!received)
            return false;
        byte = *received;
    }
    std::uint8_t value = 0;
    {
        std::lock_guard lock(mutex_);
        value = memory_.byte(address[0], address[1]);
    }
    return line.send({&value, 1}) && trailingAcknowledge(line);
}

bool TPlayerEmulator::finalize(TPlayerLine &line)
{
    if (options_.Faults.NoFinalizeAck) {
        if (options_.OnFinalize)
            options_.OnFinalize();
        return true;
    }
    if (!acknowledge(line))
        return false;
    if (options_.OnFinalize)
        options_.OnFinalize();
    return acknowledge(line);
}

} // namespace varno::emulator
