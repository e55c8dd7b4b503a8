#pragma once

#include "link/formatted.h"

#include <string>
#include <string_view>

namespace interlock {

// The two texts a log read produces: the screen text for the log view (lines end
// in "\r\n") and the file text for the export file (lines end in "\n").
struct LogTexts {
    std::string screen;
    std::string file;

    // A piece written with "\r\n" line ends; the file gets "\n" in their place.
    void addScreenForm(std::string_view piece);
    // A piece written with "\n" line ends; the screen gets "\r\n" in their place.
    void addFileForm(std::string_view piece);
    // A piece whose two forms differ in more than the line ends.
    void addForms(std::string_view screenPiece, std::string_view filePiece);
    // Characters taken as received or typed, the same in both texts.
    void addRaw(std::string_view chars);
    void clear();
};

} // namespace interlock
