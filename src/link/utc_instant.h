#pragma once

#include <ctime>

namespace interlock {

// The instant a broken-down UTC time names, without the local zone (utc_instant_posix.cpp,
// utc_instant_win.cpp).
std::time_t utcInstantOf(std::tm& utc);

} // namespace interlock
