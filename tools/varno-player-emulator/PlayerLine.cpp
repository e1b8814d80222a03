#include "PlayerLine.h"

#include <algorithm>
#include <cerrno>
#include <poll.h>
#include <sched.h>
#include <thread>
#include <unistd.h>

namespace varno::emulator {

TPlayerLine::TPlayerLine(int master, int stopDescriptor, const TEmulatorOptions &options)
    : master_(master), stop_(stopDescriptor), options_(options)
{
}

bool TPlayerLine::fill(std::optional<std::chrono::milliseconds> timeout)
{
    pollfd fds[2] = {{master_, POLLIN, 0}, {stop_, POLLIN, 0}};
    const nfds_t watched = stop_ >= 0 ? 2 : 1;
    const int waitMs = timeout ? int(timeout->count()) : -1;
    for (;;) {
        const int ready = ::poll(fds, watched, waitMs);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready < 0) {
            closed_ = true;
            return false;
        }
        if (ready == 0)
            return false;
        break;
    }
    if (stop_ >= 0 && (fds[1].revents & POLLIN)) {
        stopped_ = true;
        return false;
    }
    std::uint8_t buffer[256];
    ssize_t count = 0;
    do {
        count = ::read(master_, buffer, sizeof buffer);
    } while (count < 0 && errno == EINTR);
    if (count <= 0) {
        closed_ = true;
        return false;
    }
    const Clock::time_point now = Clock::now();
    for (ssize_t i = 0; i < count; ++i)
        pending_.push_back({buffer[i], now});
    return true;
}

// Sleeps to an absolute deadline, so that late wake-ups do not add up over a
// run of bytes. The last stretch is spun, as waking up takes tens of
// microseconds; the spin yields, so that the kernel work that hands written
// bytes to the other end of the pseudo-terminal is not held up on this CPU.
void TPlayerLine::sleepUntil(Clock::time_point deadline)
{
    constexpr auto spin = std::chrono::microseconds(60);
    const Clock::time_point now = Clock::now();
    if (deadline - now > spin)
        std::this_thread::sleep_until(deadline - spin);
    while (Clock::now() < deadline)
        sched_yield();
}

std::optional<std::uint8_t> TPlayerLine::receive(std::optional<std::chrono::milliseconds> timeout)
{
    if (pending_.empty() && !fill(timeout))
        return std::nullopt;
    const Received received = pending_.front();
    pending_.pop_front();
    if (options_.Slow) {
        // The byte has fully arrived one line time after it started, and it
        // cannot start before the previous one has arrived.
        receiveFree_ = std::max(received.At, receiveFree_) + ByteLineTime;
        sleepUntil(receiveFree_);
    }
    if (options_.Log)
        options_.Log(TDirection::HostToPlayer, received.Byte);
    return received.Byte;
}

bool TPlayerLine::send(std::span<const std::uint8_t> bytes)
{
    if (!pause(options_.Latency))
        return false;
    for (std::size_t i = 0; i < bytes.size();) {
        std::size_t count = bytes.size() - i;
        if (options_.Slow) {
            // Handed over when its last bit has left the player.
            sendFree_ = std::max(Clock::now(), sendFree_) + ByteLineTime;
            sleepUntil(sendFree_);
            count = 1;
        }
        const ssize_t written = ::write(master_, bytes.data() + i, count);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            closed_ = true;
            return false;
        }
        if (options_.Log) {
            for (ssize_t k = 0; k < written; ++k)
                options_.Log(TDirection::PlayerToHost, bytes[i + std::size_t(k)]);
        }
        i += std::size_t(written);
    }
    return true;
}

bool TPlayerLine::pause(std::chrono::microseconds duration)
{
    if (duration.count() <= 0)
        return true;
    if (stop_ < 0) {
        std::this_thread::sleep_for(duration);
        return true;
    }
    const Clock::time_point deadline = Clock::now() + duration;
    for (;;) {
        const auto left =
            std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0)
            return true;
        pollfd fd{stop_, POLLIN, 0};
        const int ready = ::poll(&fd, 1, int(left));
        if (ready > 0) {
            stopped_ = true;
            return false;
        }
    }
}

} // namespace varno::emulator
