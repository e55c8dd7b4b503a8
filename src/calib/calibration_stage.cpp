#include "calib/calibration_stage.h"

namespace interlock {

const char* stageName(std::uint8_t status) {
    switch (status) {
    case 0:
        return "Pre-Heat";
    case 1:
        return "Warm-Up";
    case 2:
        return "Blow-Wait";
    case 4:
        return "Blowing";
    case 8:
        return "Calculating";
    default:
        return nullptr;
    }
}

void showStage(ProgramState& state, std::uint8_t status) {
    const char* name = stageName(status);
    if (!name)
        return;
    switch (state.calStep) {
    case 0:
        state.calFirstResult = name;
        break;
    case 2:
        state.calSecondResult = name;
        break;
    case 4:
        state.calValueText = name;
        break;
    default:
        break;
    }
}

} // namespace interlock
