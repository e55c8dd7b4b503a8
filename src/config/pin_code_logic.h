#pragma once

#include "link/program_state.h"
#include "link/requester.h"

#include <optional>
#include <string>
#include <string_view>

namespace interlock {

inline constexpr int kPinCodeWriteWaitMs = 300;

// The outcome of OK on the PIN CODE page: a message and the text put back, or close.
struct PinCodeVerdict {
    bool closePage = false;
    std::string message{};
    std::optional<std::string> pinText{};
};

std::string pinCodeOpening(const ProgramState& state);

// OK: a four-character PIN goes into the service record, which is written.
PinCodeVerdict pinCodeOk(std::string_view pin, Requester& requester);

} // namespace interlock
