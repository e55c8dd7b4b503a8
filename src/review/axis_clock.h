#pragma once

#include <array>
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
    // UTC minus local time at a wall-clock time, asked of the time zone.
    static std::int64_t zoneOffsetAt(std::int64_t since1970);
    std::int64_t offsetAt(std::int64_t since1970);

    // Zones change their offset a few times a year at most, and on the hour. A week
    // (or else a day) that starts and ends with the same offset keeps it throughout;
    // other hours are asked one by one.
    struct Span {
        std::int64_t offset;
        bool even;
    };
    static constexpr std::array<std::int64_t, 3> kSpans{7 * 86400, 86400, 3600};
    std::array<std::unordered_map<std::int64_t, Span>, kSpans.size()> spans_;
};

} // namespace interlock::review
