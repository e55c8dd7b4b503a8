#pragma once

#include <cstdarg>
#include <string>

namespace interlock {

// printf-style formatting into a string; each piece is formatted on its own.
std::string formatted(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string vformatted(const char* format, va_list args);

} // namespace interlock
