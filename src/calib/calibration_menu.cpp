#include "calib/calibration_menu.h"

#include "link/codes.h"
#include "link/read_failure.h"
#include "link/trace.h"

namespace interlock {

void beginDryGas(Requester& requester, DryGasMode mode) {
    const bool check = mode == DryGasMode::Check;
    trace(check ? "OnBnClickedButtonCalibrationCheck\r\n" : "OnBnClickedButtonCalibration\r\n");
    requester.state().calCheckMode = check;
    requester.read(request::ReadOption);
}

bool closeMenuAfterDryGas(DryGasMode mode, const ProgramState& state) {
    return mode == DryGasMode::Check || state.closeMenuRequest;
}

std::string beginTimeCheck(Requester& requester) {
    trace("OnBnClickedButtonCalibrationTimeCheck\r\n");
    if (requester.read(request::ReadService))
        return {};
    return unansweredReadMessage("time check");
}

} // namespace interlock
