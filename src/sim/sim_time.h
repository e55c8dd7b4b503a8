#pragma once

#include "link/civil_time.h"

#include <chrono>
#include <cstdint>

namespace interlock::sim {

// Time on the simulator's own clock, counted from its start. The executable feeds it
// from a steady clock; tests advance it by hand.
using SimTime = std::chrono::microseconds;

inline constexpr SimTime msec(std::int64_t ms) {
    return std::chrono::milliseconds(ms);
}

// Calendar arithmetic for the device clock and event time stamps.
CivilTime addSeconds(const CivilTime& time, std::int64_t seconds);
std::int64_t secondsBetween(const CivilTime& from, const CivilTime& to);
CivilTime systemUtcNow();

} // namespace interlock::sim
