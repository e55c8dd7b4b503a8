#include "calib/altitude.h"

#include "link/digit_text.h"
#include "link/trace.h"

#include <algorithm>
#include <cmath>

namespace interlock {

namespace {
constexpr double kSeaLevelPressure = 1013.25;
constexpr double kAtmosphereHeight = 44331.0;
constexpr double kPressureExponent = 5.256;
} // namespace

std::string altitudeTyped(std::string_view text) {
    std::string kept = digitsOnly(text);
    if (kept.empty() && !text.empty())
        trace("input numeric\r\n");
    trace("Altitude Change %s\r\n", kept.c_str());
    return kept;
}

int altitudeMetres(std::string_view text) {
    constexpr std::uint32_t kRefused = kHighestAltitude + 1;
    return static_cast<int>(std::min(decimalValue(text), kRefused));
}

std::uint16_t pressureAt(int metres) {
    const double ratio = 1.0 - metres / kAtmosphereHeight;
    return static_cast<std::uint16_t>(kSeaLevelPressure * std::pow(ratio, kPressureExponent));
}

} // namespace interlock
