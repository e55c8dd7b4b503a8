#include "log/log_texts.h"

#include <cstdarg>
#include <cstdio>

namespace interlock {

std::string formatted(const char* format, ...) {
    va_list args;
    va_start(args, format);
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
    va_end(args);
    return text;
}

void LogTexts::addScreenForm(std::string_view piece) {
    screen += piece;
    for (std::size_t i = 0; i < piece.size(); ++i) {
        if (piece[i] == '\r' && i + 1 < piece.size() && piece[i + 1] == '\n')
            continue;
        file += piece[i];
    }
}

void LogTexts::addFileForm(std::string_view piece) {
    file += piece;
    for (const char c : piece) {
        if (c == '\n')
            screen += '\r';
        screen += c;
    }
}

void LogTexts::addForms(std::string_view screenPiece, std::string_view filePiece) {
    screen += screenPiece;
    file += filePiece;
}

void LogTexts::addRaw(std::string_view chars) {
    screen += chars;
    file += chars;
}

void LogTexts::clear() {
    screen.clear();
    file.clear();
}

} // namespace interlock
