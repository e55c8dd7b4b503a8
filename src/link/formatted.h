#pragma once

#include <cstdarg>
#include <string>

// The format checks follow the formatting the C++ library does: MinGW's plain printf
// archetype is Microsoft's (no %zu), its C++ library formats as GNU does.
#ifdef __MINGW_PRINTF_FORMAT
#define INTERLOCK_PRINTF_FORMAT __MINGW_PRINTF_FORMAT
#else
#define INTERLOCK_PRINTF_FORMAT printf
#endif

namespace interlock {

// printf-style formatting into a string; each piece is formatted on its own.
std::string formatted(const char* format, ...)
    __attribute__((format(INTERLOCK_PRINTF_FORMAT, 1, 2)));
std::string vformatted(const char* format, va_list args);

} // namespace interlock
