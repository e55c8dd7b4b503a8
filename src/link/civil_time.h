#pragma once

namespace interlock {

// A calendar time as the interlock and the program exchange it.
struct CivilTime {
    int year = 2000; // full year
    int month = 1;   // 1..12
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
    bool operator==(const CivilTime&) const = default;
};

} // namespace interlock
