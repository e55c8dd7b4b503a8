#pragma once

#include "config/pin_code_digits.h"
#include "link/program_state.h"
#include "link/requester.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace interlock {

inline constexpr std::uint16_t kOverrideMaxHours = 2200;
// The dialog framework's own limit message for both edits of the page.
inline constexpr std::size_t kOverrideFieldMaxChars = 4;
inline constexpr std::string_view kOverrideMaxCharsMessage =
    "Please enter no more than 4 characters.";
inline constexpr std::string_view kOverrideValueMessage =
    "OVERRIDE value is not valid. Verify that it was enterd correctly and try again";

// What the OVERRIDE page shows and the technician edits.
struct OverrideFields {
    bool overrideOff = false;
    std::string time{};
    std::string pin{};
};

// The OVERRIDE button names the action: "On" while the override is off.
struct OverrideLook {
    std::string buttonCaption{};
    bool editsEnabled = false;
};

OverrideFields overrideOpening(const ProgramState& state);
OverrideLook overrideLook(bool overrideOff);

// True when the page's reading of its fields brings the framework's limit message:
// a field longer than four characters.
bool overrideFieldsTooLong(const OverrideFields& fields);

// OK: stores the override time (0 when off) and the PIN into the service record and
// writes it. A refused field leaves the page open with nothing sent; the override
// time may already have been stored by then. A write the interlock refuses leaves
// the page open with the refusal message.
PinPageVerdict overrideOk(const OverrideFields& fields, Requester& requester);

} // namespace interlock
