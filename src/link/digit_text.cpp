#include "link/digit_text.h"

#include <algorithm>
#include <limits>

namespace interlock {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

std::string digitsOnly(std::string_view typed) {
    if (!std::all_of(typed.begin(), typed.end(), isDigit))
        return {};
    return std::string(typed);
}

std::uint32_t decimalValue(std::string_view text) {
    constexpr std::uint64_t kLargest = std::numeric_limits<std::uint32_t>::max();
    std::uint64_t value = 0;
    for (const char c : text) {
        if (!isDigit(c))
            break;
        value = std::min(value * 10 + static_cast<std::uint64_t>(c - '0'), kLargest);
    }
    return static_cast<std::uint32_t>(value);
}

} // namespace interlock
