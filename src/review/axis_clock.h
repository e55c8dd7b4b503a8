#pragma once

#include <cstdint>
#include <unordered_map>

namespace interlock::review {

// The chart's date-time axis counts milliseconds since 1970 and shows them in the
// PC's time zone, while the review's times are wall-clock times as printed. This
// converts between the two so that the axis shows every time as printed.
class AxisClock {
  public:
    double toAxis(std::int64_t wallSeconds);
    std::int64_t fromAxis(double msecs) const;

  private:
    // The zone's offset at each wall-clock hour met so far (zones change by the hour).
    std::unordered_map<std::int64_t, std::int64_t> utcMinusLocalByHour_;
};

} // namespace interlock::review
