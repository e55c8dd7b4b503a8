#include "config/field_text.h"

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

std::string invalidValueMessage(std::string_view caption) {
    return std::string(caption) +
           " value is not valid. Verify that it was enterd correctly and try again";
}

std::string firstRefusal(std::initializer_list<std::function<std::string()>> checks) {
    for (const auto& check : checks) {
        if (std::string refusal = check(); !refusal.empty())
            return refusal;
    }
    return {};
}

} // namespace interlock
