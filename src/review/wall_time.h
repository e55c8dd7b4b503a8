#pragma once

#include "link/local_time.h"

#include <cstdint>

namespace interlock::review {

// a / b rounded towards minus infinity, for times before an epoch.
constexpr std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

// Seconds from 2000-01-01 00:00 to a printed time, read as a wall-clock time of no
// particular zone. Months, days and hours out of their range carry over as a
// calendar would, so any printed time has a place on the time line.
std::int64_t wallSeconds(const LogStamp& time);

// The printed time `seconds` after 2000-01-01 00:00: the inverse of wallSeconds, every
// field in its range (the year counted from 2000, like the printed one).
LogStamp wallStamp(std::int64_t seconds);

// The year a printed two-digit year counts from.
inline constexpr int kStampYearBase = 2000;

// Seconds from 1970-01-01 00:00 to 2000-01-01 00:00, for clocks counted from 1970.
inline constexpr std::int64_t kWallEpochAfter1970 = 946684800;

} // namespace interlock::review
