#pragma once

#include "config/field_text.h"
#include "link/records.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace interlock {

inline constexpr std::size_t kPinLength = Te_Service_t::kPinDigits;
// Both PIN pages refuse a PIN that is not four characters long with this text.
inline constexpr std::string_view kPinValueMessage =
    "PINCODE value is not valid. Verify that it was enterd correctly and try again";

// The outcome of OK on the OVERRIDE and PIN CODE pages: close, or a message and the
// texts put back into the override time and PIN fields.
struct PinPageVerdict {
    bool closePage = false;
    std::string message{};
    std::optional<std::string> timeText{};
    std::optional<std::string> pinText{};
};

// The four PIN digits as the pages show them ("%d%d%d%d").
std::string pinText(const Te_Service_t& service);

// Each of the first four characters, read as one-digit decimal text, becomes one
// PIN byte; a character that is not a digit, or a missing one, counts as 0.
void storePinDigits(Te_Service_t& service, std::string_view text);

} // namespace interlock
