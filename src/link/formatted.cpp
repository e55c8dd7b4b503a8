#include "link/formatted.h"

#include <cstdio>

namespace interlock {

std::string vformatted(const char* format, va_list args) {
    va_list copy;
    va_copy(copy, args);
    const int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string text;
    if (length > 0) {
        text.resize(static_cast<std::size_t>(length));
        // vsnprintf writes the terminator into the string's own spare byte.
        std::vsnprintf(text.data(), text.size() + 1, format, args);
    }
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
