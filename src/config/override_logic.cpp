#include "config/override_logic.h"

#include "config/pin_code_digits.h"
#include "config/settings_write.h"
#include "link/codes.h"
#include "link/trace.h"
#include "link/write_outcome.h"

namespace interlock {

namespace {
void traceOverride(const Te_Service_t& service) {
    trace("Te_Service_t.Override_fix_H = %d\r\n", service.Override_fix_H());
    trace("pin code = %d%d%d%d\r\n", service.PinCode(0), service.PinCode(1), service.PinCode(2),
          service.PinCode(3));
}
} // namespace

OverrideFields overrideOpening(const ProgramState& state) {
    const Te_Service_t& service = state.service;
    traceOverride(service);
    return {.overrideOff = service.Override_fix_H() == 0,
            .time = std::to_string(service.Override_fix_H()),
            .pin = pinText(service)};
}

OverrideLook overrideLook(bool overrideOff) {
    return {.buttonCaption = overrideOff ? "On" : "Off", .editsEnabled = !overrideOff};
}

bool overrideFieldsTooLong(const OverrideFields& fields) {
    return fields.time.size() > kOverrideFieldMaxChars ||
           fields.pin.size() > kOverrideFieldMaxChars;
}

PinPageVerdict overrideOk(const OverrideFields& fields, Requester& requester) {
    trace("OnBnClickedButtonOverrideOk\r\n");
    Te_Service_t& service = requester.state().service;
    if (fields.overrideOff) {
        service.set_Override_fix_H(0);
    } else {
        const std::uint32_t hours = decimalValue(fields.time);
        if (hours < 1 || hours > kOverrideMaxHours)
            return {.message = std::string(kOverrideValueMessage), .timeText = "1"};
        service.set_Override_fix_H(static_cast<std::uint16_t>(hours));
    }
    if (fields.pin.size() != kPinLength)
        return {.message = std::string(kPinValueMessage), .pinText = "8462"};
    storePinDigits(service, fields.pin);
    traceOverride(service);
    const WriteOutcome outcome(requester.state());
    requester.write(request::WriteService, service.view(), kSettingsWriteWaitMs);
    if (const std::string failure = settingsWriteFailure(outcome); !failure.empty())
        return {.message = failure};
    return {.closePage = true};
}

} // namespace interlock
