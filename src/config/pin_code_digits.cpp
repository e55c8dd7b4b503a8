#include "config/pin_code_digits.h"

#include "link/formatted.h"

#include <algorithm>
#include <limits>

namespace interlock {

namespace {
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
} // namespace

std::string digitsOrEmpty(std::string_view text) {
    return std::all_of(text.begin(), text.end(), isDigit) ? std::string(text) : std::string();
}

std::uint32_t decimalValue(std::string_view text) {
    constexpr std::uint64_t kLargest = std::numeric_limits<std::uint32_t>::max();
    std::uint64_t value = 0;
    for (const char c : text) {
        if (!isDigit(c))
            break;
        value = std::min(kLargest, value * 10 + static_cast<std::uint64_t>(c - '0'));
    }
    return static_cast<std::uint32_t>(value);
}

std::string pinText(const Te_Service_t& service) {
    return formatted("%d%d%d%d", service.PinCode(0), service.PinCode(1), service.PinCode(2),
                     service.PinCode(3));
}

void storePinDigits(Te_Service_t& service, std::string_view text) {
    for (std::size_t i = 0; i < kPinLength; ++i) {
        const char c = i < text.size() ? text[i] : '0';
        service.set_PinCode(i, static_cast<std::uint8_t>(isDigit(c) ? c - '0' : 0));
    }
}

} // namespace interlock
