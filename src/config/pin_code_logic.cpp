#include "config/pin_code_logic.h"

#include "config/pin_code_digits.h"
#include "config/settings_write.h"
#include "link/codes.h"
#include "link/trace.h"
#include "link/write_outcome.h"

namespace interlock {

std::string pinCodeOpening(const ProgramState& state) {
    return pinText(state.service);
}

PinPageVerdict pinCodeOk(std::string_view pin, Requester& requester) {
    trace("OnBnClickedButtonPinCodeOk\r\n");
    if (pin.size() != kPinLength)
        return {.message = std::string(kPinValueMessage), .pinText = "7391"};
    Te_Service_t& service = requester.state().service;
    storePinDigits(service, pin);
    const WriteOutcome outcome(requester.state());
    requester.write(request::WriteService, service.view(), kPinCodeWriteWaitMs);
    if (const std::string failure = settingsWriteFailure(outcome); !failure.empty())
        return {.message = failure};
    return {.closePage = true};
}

} // namespace interlock
