#pragma once

#include "link/program_state.h"
#include "link/requester.h"

#include <string>
#include <string_view>

namespace interlock {

inline constexpr std::string_view kHandsetIdLengthMessage = "handset ID Length Error";
inline constexpr std::string_view kControlIdLengthMessage = "control ID Length Error";
// The page closes as soon as the interlock has acknowledged the identity write, or
// after this long without an answer.
inline constexpr int kSerialAnswerWaitMs = 300;

// The two serial numbers as the page shows them (the record's eight bytes each, as
// they stand) and which of them the technician may edit: only the connected unit's.
struct SerialNumberFields {
    std::string hand{};
    std::string control{};
    bool handEditable = false;
    bool controlEditable = false;
};

SerialNumberFields serialNumberOpening(const ProgramState& state);

// True when each text is one serial number's width exactly.
bool serialsFit(std::string_view hand, std::string_view control);

// OK: empty when both numbers were written, else the length message or the refusal
// to show (the page stays open and keeps what was typed).
std::string serialNumberOk(std::string_view hand, std::string_view control, Requester& requester);

} // namespace interlock
