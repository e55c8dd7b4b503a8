#include "calib/altitude.h"

#include "link/trace.h"

#include <algorithm>
#include <cmath>

namespace interlock {

namespace {
constexpr double kSeaLevelPressure = 1013.25;
constexpr double kAtmosphereHeight = 44331.0;
constexpr double kPressureExponent = 5.256;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
} // namespace

std::string altitudeTyped(std::string_view text) {
    std::string kept(text);
    if (!std::all_of(kept.begin(), kept.end(), isDigit)) {
        trace("input numeric\r\n");
        kept.clear();
    }
    trace("Altitude Change %s\r\n", kept.c_str());
    return kept;
}

int altitudeMetres(std::string_view text) {
    int metres = 0;
    for (const char c : text) {
        if (!isDigit(c))
            break;
        metres = std::min(metres * 10 + (c - '0'), kHighestAltitude + 1);
    }
    return metres;
}

std::uint16_t pressureAt(int metres) {
    const double ratio = 1.0 - metres / kAtmosphereHeight;
    return static_cast<std::uint16_t>(kSeaLevelPressure * std::pow(ratio, kPressureExponent));
}

} // namespace interlock
