#pragma once

#include "link/program_state.h"

#include <string_view>

namespace interlock {

enum class ResultColour { Blue, Red };

// The result page's one text, its colour and its font height.
struct ResultLook {
    std::string_view text;
    ResultColour colour;
    int fontHeight = 15;
};

ResultLook calibrationResultLook(const ProgramState& state);

// The result page closes, by "O K" (`okPressed`) or any other way: the menus close
// behind it, and the program after them.
void calibrationResultClosed(ProgramState& state, bool okPressed);

} // namespace interlock
