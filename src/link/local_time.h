#pragma once

#include <cstdint>
#include <ctime>

namespace interlock {

// An interlock time stamp: two-digit year (year - 2000), month 1..12, day, hour,
// minute, second.
struct LogStamp {
    int year = 0;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
    bool operator==(const LogStamp&) const = default;
};

// The PC clock at `now` as a UTC time stamp.
LogStamp utcStampAt(std::time_t now);

// Local time minus UTC in seconds at `now`, in the process's time zone, daylight
// saving included.
std::int32_t localOffsetAt(std::time_t now);
// The same, writing the offset traces of the program's start.
std::int32_t localTimeOffsetAt(std::time_t now);

// Adds `offset` seconds to a UTC stamp and normalises the result as a local
// calendar time (overflowing seconds carry into minutes, hours, days, months and
// years, and back for negative offsets).
LogStamp utcToLocal(const LogStamp& utc, std::int32_t offset);

// An interlock time (UTC) as the pages show it: utcToLocal, except that a stamp
// that is no calendar time (a clock never set, a record of zeros) is shown as it
// stands rather than carried into a made-up date.
LogStamp localForDisplay(const LogStamp& utc, std::int32_t offset);

// Reads the process's time zone again (TZ, or the system's zone file when TZ is
// unset). localStampOf uses the rules read last, so a caller converting many
// stamps calls this once before them instead of once per stamp.
void reloadTimeZone();

// The local calendar time at the instant a UTC stamp names, with the daylight
// saving in force at that instant: stamps on either side of a change each get
// their own offset. Out-of-range fields carry as in utcToLocal.
LogStamp localStampOf(const LogStamp& utc);

} // namespace interlock
