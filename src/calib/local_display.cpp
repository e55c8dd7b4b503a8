#include "calib/local_display.h"

#include <chrono>

namespace interlock {

namespace {
constexpr int kFirstYear = 2000;

bool isCalendarTime(const LogStamp& s) {
    using namespace std::chrono;
    const year_month_day date{year{kFirstYear + s.year}, month{static_cast<unsigned>(s.month)},
                              day{static_cast<unsigned>(s.day)}};
    return s.month >= 1 && s.day >= 1 && date.ok() && s.hour >= 0 && s.hour < 24 && s.minute >= 0 &&
           s.minute < 60 && s.second >= 0 && s.second < 60;
}
} // namespace

LogStamp localForDisplay(const LogStamp& utc, std::int32_t offset) {
    return isCalendarTime(utc) ? utcToLocal(utc, offset) : utc;
}

} // namespace interlock
