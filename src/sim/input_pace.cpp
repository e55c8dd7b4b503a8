#include "sim/input_pace.h"

#include <algorithm>
#include <cmath>

namespace interlock::sim {

namespace {
double micros(SimTime time) {
    return static_cast<double>(time.count());
}
} // namespace

std::size_t InputPace::allowance(SimTime now, std::size_t limit) const {
    if (bytesPerSecond_ <= 0)
        return limit;
    const double burstMicros = kBurstBytes * 1e6 / bytesPerSecond_;
    const double waited = micros(now) - lineClock_;
    const double span = idle_ ? std::min(waited, burstMicros) : waited;
    if (span <= 0)
        return 0;
    return std::min(limit, static_cast<std::size_t>(span * bytesPerSecond_ / 1e6));
}

void InputPace::took(std::size_t count, std::size_t asked, SimTime now) {
    if (bytesPerSecond_ <= 0)
        return;
    const double burstMicros = kBurstBytes * 1e6 / bytesPerSecond_;
    const double from = idle_ ? std::max(lineClock_, micros(now) - burstMicros) : lineClock_;
    lineClock_ = from + static_cast<double>(count) * 1e6 / bytesPerSecond_;
    idle_ = count < asked;
}

SimTime InputPace::nextByteAt() const {
    const double next = bytesPerSecond_ <= 0 ? 0 : lineClock_ + 1e6 / bytesPerSecond_;
    return SimTime(static_cast<std::int64_t>(std::ceil(next)));
}

} // namespace interlock::sim
