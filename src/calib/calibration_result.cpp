#include "calib/calibration_result.h"

#include "link/trace.h"

namespace interlock {

namespace {
constexpr std::uint8_t kVerdictTicks = 15;
} // namespace

void calibrationResultTick(ProgramState& state, CalibrationView& view) {
    // The tick count goes one past the result's tick and stays there.
    if (state.calVerdict == CalVerdict::None || state.calVerdictTicks > kVerdictTicks + 1)
        return;
    if (state.calVerdictTicks == kVerdictTicks + 1 && state.calRequest.calibrates())
        view.openResult();
    ++state.calVerdictTicks;
}

ResultLook calibrationResultLook(const ProgramState& state) {
    if (state.calVerdict == CalVerdict::Ok)
        return {"The calibration has been successfully completed with the time stamp. Please "
                "press ok to reboot the device and close the PC program.",
                ResultColour::Blue};
    return {"The calibration hasn't been successfully completed. Verify that the correct "
            "solution was used and try again (The device will reboot and the PC program will "
            "be closed if you press ok).",
            ResultColour::Red};
}

void calibrationResultClosed(ProgramState& state, bool okPressed) {
    if (okPressed)
        trace("OnBnClickedButtonCalMessageOk\r\n");
    state.closeMenuRequest = true;
    state.closeProgramRequest = true;
}

} // namespace interlock
