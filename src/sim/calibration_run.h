#pragma once

#include "sim/sim_time.h"

#include <cstdint>
#include <vector>

namespace interlock::sim {

// Densities the sensor will measure in the two calibration passes and the check.
enum class CalOutcome { Pass, FailFirst, FailSecond, FailCheck };

struct CalDensities {
    std::uint16_t first = 0;
    std::uint16_t second = 0;
    std::uint16_t check = 0;
};
CalDensities densitiesFor(CalOutcome outcome);

// The density a finished run leaves in the event log: the check's, unless one of
// the calibration passes (mode 1) read too little gas to be used; then that pass's,
// so that the log tells of the failure the program reported.
std::uint16_t loggedDensity(std::uint8_t mode, const CalDensities& densities);

// Sensor stages as the status report names them.
enum CalStage : std::uint8_t {
    PreHeat = 0,
    WarmUp = 1,
    BlowWait = 2,
    Blowing = 4,
    Calculating = 8
};

// One report of a calibration run: a status or a value frame, `after` the start.
struct CalReport {
    SimTime after{};
    std::uint8_t code = 0;
    std::vector<std::uint8_t> payload;
};

// The reports of a run: for a calibration (mode 1) Pre-Heat, Warm-Up, Blow-Wait,
// Blowing, Calculating and the first value, then Warm-Up to Calculating and the
// second value, then the check pass the same way; for a check (mode 3) the check
// pass alone, reported as the first reading of its run. One report every `step`.
// Bytes 4 and 5 of each value carry the expected pressure the run was started with.
std::vector<CalReport> calibrationReports(std::uint8_t mode, const CalDensities& densities,
                                          std::uint16_t pressure, SimTime step);

} // namespace interlock::sim
