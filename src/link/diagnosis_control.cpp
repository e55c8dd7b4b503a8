#include "link/diagnosis_control.h"

#include "link/codes.h"

namespace interlock {

std::array<std::uint8_t, 3> diagnosisControlPayload(const ProgramState& state, std::uint8_t on) {
    return {on, state.diagnosisControl[0], state.diagnosisControl[1]};
}

void diagnosisTick(ProgramState& state, bool sound, bool relay) {
    state.diagnosisControl = {static_cast<std::uint8_t>(sound), static_cast<std::uint8_t>(relay)};
    state.link.send(request::DiagnosisControl, diagnosisControlPayload(state, 1));
}

void diagnosisOff(ProgramState& state) {
    state.diagnosisControl = {0, 0};
    state.link.send(request::DiagnosisControl, diagnosisControlPayload(state, 0));
}

} // namespace interlock
