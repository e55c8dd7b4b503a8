#include "calib/calibration_reports.h"

#include "calib/calibration_maths.h"
#include "link/codes.h"
#include "link/trace.h"

namespace interlock {

namespace {
// Test status values the status report names.
constexpr std::uint8_t kWarmUp = 1;

// True when START has run in this run of the program; a report before it is traced.
bool calibrationStarted(const ProgramState& state, std::uint8_t code) {
    if (state.calRequest.started())
        return true;
    trace("calibration report 0x%x without a calibration\r\n", code);
    return false;
}

// The name of a sensor stage, or nullptr for a code without one.
const char* stageName(std::uint8_t status) {
    switch (status) {
    case 0:
        return "Pre-Heat";
    case kWarmUp:
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
} // namespace

void takeCalibrationStatus(ProgramState& state, CalibrationView& view) {
    if (!calibrationStarted(state, response::RESPONSE_CAL_STATUS))
        return;
    const std::uint8_t status = state.calStatus.test_status();
    std::string* shown = nullptr;
    switch (state.calStep) {
    case CalStep::FirstReading:
        shown = &state.calFirstResult;
        break;
    case CalStep::SecondReading:
        shown = &state.calSecondResult;
        break;
    case CalStep::FinalReading:
        shown = &state.calValueText;
        break;
    default:
        break;
    }
    // A code without a name leaves the shown text as it is.
    if (const char* name = stageName(status); shown && name)
        *shown = name;
    view.refresh();
    if (status != kWarmUp)
        return;
    if (state.calStep == CalStep::FirstDone)
        state.calStep = CalStep::SecondReading;
    else if (state.calStep == CalStep::SecondDone)
        state.calStep = CalStep::FinalReading;
}

void takeCalibrationValue(ProgramState& state, CalibrationView& view) {
    CalValueRecord& value = state.calValue;
    const std::uint16_t density = value.density();
    state.calDensity = density;
    state.calReference = calibrationReference(density);
    if (!calibrationStarted(state, response::RESPONSE_CAL_VALUE))
        return;
    if (state.calCheckMode)
        value.set_stage(static_cast<std::uint8_t>(value.stage() + 2));

    CalVerdict verdict = CalVerdict::None;
    if (value.stage() == 1 || value.stage() == 2) {
        const std::string result = calibrationStageResult(density, state.calReference);
        if (value.stage() == 1) {
            state.calStep = CalStep::FirstDone;
            state.calFirstResult = result;
        } else {
            state.calStep = CalStep::SecondDone;
            state.calSecondResult = result;
        }
        if (result == "FAIL")
            verdict = CalVerdict::Fail;
    } else {
        state.calTenth = static_cast<std::uint16_t>(density / 10);
        state.calStep = CalStep::FinalDone;
        FinalReading reading = calibrationFinalReading(density, state.option.test_unit());
        state.calValueText = std::move(reading.text);
        verdict = reading.verdict;
    }
    if (state.calVerdict == CalVerdict::None)
        state.calVerdict = verdict;
    view.refresh();
}

} // namespace interlock
