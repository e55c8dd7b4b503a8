#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace interlock {

// The digit filter of every numeric edit box: text holding any character other
// than "0" to "9" is emptied whole.
std::string digitsOnly(std::string_view typed);

// The leading decimal digits of `text` as a number; empty text is 0. Runs of
// digits too long for 32 bits read as the largest value, so they fail any range.
std::uint32_t decimalValue(std::string_view text);

} // namespace interlock
