#include "link/local_time.h"

#include "link/trace.h"
#include "link/utc_instant.h"

#include <chrono>

namespace interlock {

namespace {
constexpr int kYearsTo2000 = 100;
constexpr int kFirstYear = 2000;
constexpr double kSecondsPerHour = 3600.0;

LogStamp stampOf(const std::tm& t) {
    return {t.tm_year - kYearsTo2000, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec};
}

std::tm tmOf(const LogStamp& s) {
    std::tm t{};
    t.tm_year = s.year + kYearsTo2000;
    t.tm_mon = s.month - 1;
    t.tm_mday = s.day;
    t.tm_hour = s.hour;
    t.tm_min = s.minute;
    t.tm_sec = s.second;
    t.tm_isdst = -1;
    return t;
}

bool isCalendarTime(const LogStamp& s) {
    using namespace std::chrono;
    const year_month_day date{year{kFirstYear + s.year}, month{static_cast<unsigned>(s.month)},
                              day{static_cast<unsigned>(s.day)}};
    return s.month >= 1 && s.day >= 1 && date.ok() && s.hour >= 0 && s.hour < 24 && s.minute >= 0 &&
           s.minute < 60 && s.second >= 0 && s.second < 60;
}

void traceStamp(const char* format, const LogStamp& s) {
    trace(format, s.year, s.month, s.day, s.hour, s.minute, s.second);
}
} // namespace

LogStamp utcStampAt(std::time_t now) {
    std::tm utc{};
    gmtime_r(&now, &utc);
    return stampOf(utc);
}

std::int32_t localOffsetAt(std::time_t now) {
    std::tm local{};
    localtime_r(&now, &local);
    return static_cast<std::int32_t>(utcInstantOf(local) - now);
}

std::int32_t localTimeOffsetAt(std::time_t now) {
    std::tm local{};
    localtime_r(&now, &local);
    const LogStamp utcStamp = utcStampAt(now);
    const std::int32_t offset = localOffsetAt(now);
    trace("Local - UTC = %f hour\r\n", offset / kSecondsPerHour);
    traceStamp("Local Time %d-%d-%d %d:%d:%d\r\n", stampOf(local));
    traceStamp("UTC Time %d-%d-%d %d:%d:%d\r\n", utcStamp);
    traceStamp("UTC to Local Time %d-%d-%d %d:%d:%d\r\n", utcToLocal(utcStamp, offset));
    return offset;
}

LogStamp utcToLocal(const LogStamp& utc, std::int32_t offset) {
    std::tm t = tmOf(utc);
    t.tm_sec += offset;
    std::mktime(&t);
    return stampOf(t);
}

LogStamp localForDisplay(const LogStamp& utc, std::int32_t offset) {
    return isCalendarTime(utc) ? utcToLocal(utc, offset) : utc;
}

void reloadTimeZone() {
    tzset();
}

LogStamp localStampOf(const LogStamp& utc) {
    // utcInstantOf and localtime_r leave the zone as loaded; mktime would reread it
    // (a file lookup per call when TZ is unset).
    std::tm t = tmOf(utc);
    const std::time_t instant = utcInstantOf(t);
    std::tm local{};
    localtime_r(&instant, &local);
    return stampOf(local);
}

} // namespace interlock
