#pragma once

#include "link/program_state.h"

#include <cstdint>
#include <string>

namespace interlock {

// Reference reading for a density: density x 1.95 (factor held in single precision,
// product in double), fraction cut off.
std::uint16_t calibrationReference(std::uint16_t density);

// "OK" or "FAIL" for the first and second reading of a calibration.
const char* calibrationStageResult(std::uint16_t density, std::uint16_t reference);

struct FinalReading {
    std::string text; // e.g. "0.22 : OK" or "551 : FAIL"
    CalVerdict verdict;
};

// The final reading's value text in the display unit `test_unit`, and its verdict.
FinalReading calibrationFinalReading(std::uint16_t density, TestUnit test_unit);

} // namespace interlock
