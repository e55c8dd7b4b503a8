#include "link/formatted.h"

#include <cstdio>

namespace interlock {

std::string vformatted(const char* format, va_list args) {
    // Most pieces are short: one pass into a local buffer; a longer one is
    // formatted again straight into a string of its measured length.
    char buffer[256];
    va_list copy;
    va_copy(copy, args);
    const int length = std::vsnprintf(buffer, sizeof buffer, format, copy);
    va_end(copy);
    if (length <= 0)
        return {};
    if (static_cast<std::size_t>(length) < sizeof buffer)
        return std::string(buffer, static_cast<std::size_t>(length));
    std::string text(static_cast<std::size_t>(length), '\0');
    // vsnprintf writes the terminator into the string's own spare byte.
    std::vsnprintf(text.data(), text.size() + 1, format, args);
    return text;
}

std::string formatted(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string text = vformatted(format, args);
    va_end(args);
    return text;
}

} // namespace interlock
