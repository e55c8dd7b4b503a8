#include "calib/calibration_menu.h"

#include "link/codes.h"
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

void beginTimeCheck(Requester& requester) {
    trace("OnBnClickedButtonCalibrationTimeCheck\r\n");
    requester.read(request::ReadService);
}

} // namespace interlock
