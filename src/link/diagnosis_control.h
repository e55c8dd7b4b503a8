#pragma once

#include "link/program_state.h"

#include <array>
#include <cstdint>

namespace interlock {

// How often a page with the CONTROL UNIT SOUND and RELAY boxes repeats the
// diagnosis control while it is open.
inline constexpr int kDiagnosisIntervalMs = 500;

// The diagnosis control's payload: the switch byte `on`, then the sound and relay
// bytes the program state keeps.
std::array<std::uint8_t, 3> diagnosisControlPayload(const ProgramState& state, std::uint8_t on);

// Each interval: diagnosis on, with the states of the sound and relay boxes, which
// the program state keeps.
void diagnosisTick(ProgramState& state, bool sound, bool relay);

// Diagnosis, sound and relay off on the interlock. The kept bytes are cleared too,
// so that no later request switches the outputs back on.
void diagnosisOff(ProgramState& state);

} // namespace interlock
