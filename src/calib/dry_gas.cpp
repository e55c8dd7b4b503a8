#include "calib/dry_gas.h"

#include "calib/altitude.h"
#include "link/codes.h"
#include "link/trace.h"

namespace interlock {

namespace {
constexpr const char* kWait = "WAIT";
constexpr std::uint8_t kCalibrateRequest = 1;
constexpr std::uint8_t kCheckRequest = 3;
constexpr int kStartWaitMs = 300;
} // namespace

DryGasOpening DryGasRun::open(std::string_view lastTyped) {
    ProgramState& state = requester_.state();
    started_ = false;
    if (mode_ == DryGasMode::Calibrate) {
        state.calFirstResult = kWait;
        state.calSecondResult = kWait;
        state.calValueText = kWait;
        return {.altitude = "0"};
    }
    state.calFirstResult.clear();
    state.calSecondResult.clear();
    state.calValueText = kWait;
    return {.altitude = std::string(lastTyped), .startEnabled = false, .startAtOnce = true};
}

StartOutcome DryGasRun::start(std::string_view altitude) {
    ProgramState& state = requester_.state();
    started_ = true;
    const bool check = mode_ == DryGasMode::Check;
    state.calStep = check ? CalStep::FinalReading : CalStep::FirstReading;
    state.calRequest.set_mode(check ? kCheckRequest : kCalibrateRequest);
    trace("OnBnClickedButtonStartDrygas\r\n");

    const int metres = altitudeMetres(altitude);
    if (metres > kHighestAltitude)
        return {.message = std::string(kAltitudeMessage), .clearAltitude = true};
    trace("height = %0.2f\r\n", static_cast<double>(metres));
    state.calRequest.set_pressure(pressureAt(metres));
    requester_.write(request::Calibrate, state.calRequest.view(), kStartWaitMs);
    return {.sent = true};
}

bool DryGasRun::closeOnActivation() const {
    return requester_.state().closeMenuRequest;
}

void DryGasRun::close() {
    if (!started_)
        return;
    started_ = false;
    ProgramState& state = requester_.state();
    state.closeMenuRequest = true;
    state.link.send(request::CalibrationEnd);
}

} // namespace interlock
