#pragma once

#include "link/program_state.h"

#include <cstdint>
#include <vector>

namespace interlock {

// The whole record as the test page writes it: identity, option, configuration and
// service records, and the G-sensor record only when a control unit is connected
// (61 or 66 bytes).
std::vector<std::uint8_t> wholeRecordToWrite(const ProgramState& state);

} // namespace interlock
