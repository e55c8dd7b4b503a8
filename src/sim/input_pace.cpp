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
    const double span = std::min(micros(now) - lineClock_, burstMicros);
    if (span <= 0)
        return 0;
    return std::min(limit, static_cast<std::size_t>(span * bytesPerSecond_ / 1e6));
}

void InputPace::took(std::size_t count, SimTime now) {
    if (bytesPerSecond_ <= 0 || count == 0)
        return;
    const double burstMicros = kBurstBytes * 1e6 / bytesPerSecond_;
    lineClock_ = std::max(lineClock_, micros(now) - burstMicros) +
                 static_cast<double>(count) * 1e6 / bytesPerSecond_;
}

SimTime InputPace::nextByteAt() const {
    const double next = bytesPerSecond_ <= 0 ? 0 : lineClock_ + 1e6 / bytesPerSecond_;
    return SimTime(static_cast<std::int64_t>(std::ceil(next)));
}

} // namespace interlock::sim
