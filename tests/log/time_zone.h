#pragma once

#include "link/utc_instant.h"

#include <cstdlib>
#include <ctime>
#include <string>

// Whether TZ takes POSIX daylight-saving rules ("CET-1CEST,M3.5.0,M10.5.0/3"); the
// Windows C library reads only the zone names and offsets before the comma.
#ifdef _WIN32
inline constexpr bool kTzTakesDaylightRules = false;
#else
inline constexpr bool kTzTakesDaylightRules = true;
#endif

// Sets TZ for the lifetime of the object and restores the previous zone after.
class ScopedTimeZone {
  public:
    explicit ScopedTimeZone(const char* zone) {
        if (const char* old = std::getenv("TZ")) {
            had_ = true;
            old_ = old;
        }
        setZone(zone);
    }
    ~ScopedTimeZone() { setZone(had_ ? old_.c_str() : nullptr); }

  private:
    // Null removes the variable.
    static void setZone(const char* zone) {
#ifdef _WIN32
        _putenv_s("TZ", zone ? zone : "");
#else
        if (zone)
            setenv("TZ", zone, 1);
        else
            unsetenv("TZ");
#endif
        tzset();
    }

    bool had_ = false;
    std::string old_;
};

// 2016-12-31 23:30:00 UTC and friends, as time_t.
inline std::time_t utcTime(int year, int month, int day, int hour, int minute, int second) {
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    return interlock::utcInstantOf(t);
}
