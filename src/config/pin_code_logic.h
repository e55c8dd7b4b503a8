#pragma once

#include "config/pin_code_digits.h"
#include "link/program_state.h"
#include "link/requester.h"

#include <string>
#include <string_view>

namespace interlock {

inline constexpr int kPinCodeWriteWaitMs = 300;

std::string pinCodeOpening(const ProgramState& state);

// OK: a four-character PIN goes into the service record, which is written. A write
// the interlock refuses leaves the page open with the refusal message.
PinPageVerdict pinCodeOk(std::string_view pin, Requester& requester);

} // namespace interlock
