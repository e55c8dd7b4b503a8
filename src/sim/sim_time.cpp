#include "sim/sim_time.h"

namespace interlock::sim {

namespace {
using namespace std::chrono;

sys_seconds toSys(const CivilTime& t) {
    const sys_days day{year{t.year} / month{static_cast<unsigned>(t.month)} /
                       std::chrono::day{static_cast<unsigned>(t.day)}};
    return day + hours{t.hour} + minutes{t.minute} + seconds{t.second};
}

CivilTime fromSys(sys_seconds tp) {
    const sys_days day = floor<days>(tp);
    const year_month_day ymd{day};
    const hh_mm_ss hms{tp - day};
    return CivilTime{
        int(ymd.year()),          int(unsigned(ymd.month())), int(unsigned(ymd.day())),
        int(hms.hours().count()), int(hms.minutes().count()), int(hms.seconds().count())};
}
} // namespace

CivilTime addSeconds(const CivilTime& time, std::int64_t secs) {
    return fromSys(toSys(time) + seconds{secs});
}

std::int64_t secondsBetween(const CivilTime& from, const CivilTime& to) {
    return (toSys(to) - toSys(from)).count();
}

CivilTime systemUtcNow() {
    return fromSys(floor<seconds>(system_clock::now()));
}

} // namespace interlock::sim
