#include "log/log_texts.h"

namespace interlock {

void LogTexts::addScreenForm(std::string_view piece) {
    screen += piece;
    // The file takes the piece run by run, leaving out the CR of every CR LF.
    std::size_t from = 0;
    for (std::size_t at = piece.find("\r\n"); at != std::string_view::npos;
         at = piece.find("\r\n", from)) {
        file += piece.substr(from, at - from);
        from = at + 1;
    }
    file += piece.substr(from);
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
