#include "log/log_texts.h"

namespace interlock {

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
