#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace interlock {

inline constexpr int kHighestAltitude = 9999; // metres
inline constexpr std::string_view kAltitudeMessage =
    "ALTITUDE value is not valid. Verify that it was enterd correctly and try again";

// The ALTITUDE box after a change: emptied as soon as it holds anything but the
// digits 0 to 9, so an altitude is always a whole, non-negative number of metres.
std::string altitudeTyped(std::string_view text);

// The altitude in the box (empty: 0 m). However many digits were typed, the value
// stays just above kHighestAltitude, where it is refused.
int altitudeMetres(std::string_view text);

// Expected air pressure at `metres` in hPa: 1013.25 x (1 - h / 44331)^5.256,
// truncated (0 m: 1013, 1000 m: 898, 9999 m: 264).
std::uint16_t pressureAt(int metres);

} // namespace interlock
