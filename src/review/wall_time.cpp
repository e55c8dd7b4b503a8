#include "review/wall_time.h"

namespace interlock::review {

namespace {
constexpr std::int64_t kSecondsPerDay = 86400;
constexpr int kYearBase = 2000;

// Days from 1970-01-01 to a date of the proleptic Gregorian calendar.
constexpr std::int64_t daysFromCivil(std::int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const std::int64_t era = floorDiv(y, 400);
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

constexpr std::int64_t kEpoch2000 = daysFromCivil(kYearBase, 1, 1);
} // namespace

std::int64_t wallSeconds(const LogStamp& t) {
    const std::int64_t months = static_cast<std::int64_t>(t.month) - 1;
    const std::int64_t year = kYearBase + t.year + floorDiv(months, 12);
    const auto month = static_cast<unsigned>(months - floorDiv(months, 12) * 12 + 1);
    const std::int64_t days = daysFromCivil(year, month, 1) - kEpoch2000 + t.day - 1;
    return days * kSecondsPerDay + static_cast<std::int64_t>(t.hour) * 3600 +
           static_cast<std::int64_t>(t.minute) * 60 + t.second;
}

} // namespace interlock::review
