#pragma once

#include "link/program_state.h"

#include <cstdint>

namespace interlock {

// The name of a sensor stage as a status report gives it, or nullptr for a code
// without a name.
const char* stageName(std::uint8_t status);

// A status report's stage goes to the text of the pass now running (first, second
// or check); while a pass is being judged, and for a code without a name, every
// text stays as it is.
void showStage(ProgramState& state, std::uint8_t status);

} // namespace interlock
