#include "review/wall_time.h"

namespace interlock::review {

namespace {
constexpr std::int64_t kSecondsPerDay = 86400;

// Days from 1970-01-01 to a date of the proleptic Gregorian calendar.
constexpr std::int64_t daysFromCivil(std::int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const std::int64_t era = floorDiv(y, 400);
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

constexpr std::int64_t kEpoch2000 = daysFromCivil(kStampYearBase, 1, 1);

// The date of a day counted from 1970-01-01: the inverse of daysFromCivil.
constexpr LogStamp civilFromDays(std::int64_t days) {
    days += 719468;
    const std::int64_t era = floorDiv(days, 146097);
    const auto doe = static_cast<unsigned>(days - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned day = doy - (153 * mp + 2) / 5 + 1;
    const unsigned month = mp < 10 ? mp + 3 : mp - 9;
    const std::int64_t year = static_cast<std::int64_t>(yoe) + era * 400 + (month <= 2);
    return {static_cast<int>(year - kStampYearBase), static_cast<int>(month),
            static_cast<int>(day)};
}
} // namespace

std::int64_t wallSeconds(const LogStamp& t) {
    const std::int64_t months = static_cast<std::int64_t>(t.month) - 1;
    const std::int64_t year = kStampYearBase + t.year + floorDiv(months, 12);
    const auto month = static_cast<unsigned>(months - floorDiv(months, 12) * 12 + 1);
    const std::int64_t days = daysFromCivil(year, month, 1) - kEpoch2000 + t.day - 1;
    return days * kSecondsPerDay + static_cast<std::int64_t>(t.hour) * 3600 +
           static_cast<std::int64_t>(t.minute) * 60 + t.second;
}

LogStamp wallStamp(std::int64_t seconds) {
    const std::int64_t days = floorDiv(seconds, kSecondsPerDay);
    const std::int64_t inDay = seconds - days * kSecondsPerDay;
    LogStamp stamp = civilFromDays(days + kEpoch2000);
    stamp.hour = static_cast<int>(inDay / 3600);
    stamp.minute = static_cast<int>(inDay / 60 % 60);
    stamp.second = static_cast<int>(inDay % 60);
    return stamp;
}

} // namespace interlock::review
