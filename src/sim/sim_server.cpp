#include "sim/sim_server.h"

#include "sim/input_pace.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <optional>
#include <poll.h>
#include <unistd.h>

namespace interlock::sim {

namespace {
// The longest sleep, so that a stop request is seen soon.
constexpr std::int64_t kMaxWaitMs = 100;
// A hang-up waits this long after the last byte: closing a pseudo-terminal throws
// away what the other side has not read yet.
constexpr SimTime kHangupDelay = msec(200);

// Writes what the line takes now; false when the line has failed.
bool flush(int fd, std::vector<std::uint8_t>& pending) {
    while (!pending.empty()) {
        const ssize_t n = ::write(fd, pending.data(), pending.size());
        if (n < 0)
            return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR;
        pending.erase(pending.begin(), pending.begin() + n);
    }
    return true;
}
} // namespace

ServeEnd serve(DeviceModel& model, int lineFd, bool watchStdin, volatile std::sig_atomic_t& stop,
               double inputBytesPerSecond) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    const auto now = [start] { return std::chrono::duration_cast<SimTime>(Clock::now() - start); };
    std::vector<std::uint8_t> pending;
    std::vector<std::uint8_t> buffer(4096);
    std::optional<SimTime> hangupAt;
    InputPace pace(inputBytesPerSecond);

    while (!stop) {
        const std::vector<std::uint8_t> out = model.take(now());
        pending.insert(pending.end(), out.begin(), out.end());
        if (!flush(lineFd, pending))
            return ServeEnd::LineError;
        if (model.hungUp() && pending.empty() && !hangupAt)
            hangupAt = now() + kHangupDelay;
        if (hangupAt && now() >= *hangupAt)
            return ServeEnd::HungUp;

        // What the line has not delivered yet waits in its buffer.
        const std::size_t mayTake = pace.allowance(now(), buffer.size());
        std::int64_t waitMs = kMaxWaitMs;
        for (const auto wake :
             {model.nextWake(), mayTake == 0 ? std::optional(pace.nextByteAt()) : std::nullopt}) {
            if (!wake)
                continue;
            const auto until = std::chrono::ceil<std::chrono::milliseconds>(*wake - now());
            waitMs = std::clamp<std::int64_t>(until.count(), 0, waitMs);
        }
        const short lineEvents =
            short((mayTake > 0 ? POLLIN : 0) | (pending.empty() ? 0 : POLLOUT));
        pollfd fds[2] = {{lineFd, lineEvents, 0}, {STDIN_FILENO, POLLIN, 0}};
        const int ready = ::poll(fds, watchStdin ? 2 : 1, static_cast<int>(waitMs));
        if (ready < 0) {
            if (errno == EINTR)
                continue;
            return ServeEnd::LineError;
        }
        if (fds[0].revents & POLLIN) {
            const ssize_t n = ::read(lineFd, buffer.data(), mayTake);
            if (n > 0) {
                pace.took(static_cast<std::size_t>(n), mayTake, now());
                model.receive(std::span(buffer.data(), static_cast<std::size_t>(n)), now());
            } else if (n == 0 || (errno != EAGAIN && errno != EINTR))
                return ServeEnd::LineError;
        } else if (fds[0].revents & (POLLERR | POLLNVAL)) {
            return ServeEnd::LineError;
        }
        if (watchStdin && (fds[1].revents & (POLLIN | POLLHUP))) {
            char sink[256];
            if (::read(STDIN_FILENO, sink, sizeof sink) <= 0)
                return ServeEnd::InputClosed;
        }
    }
    return ServeEnd::Stopped;
}

} // namespace interlock::sim
