#pragma once

#include "calib/calibration_view.h"
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

// The calibration's duty on each tick of the main timer: the result page opens on
// the 17th tick after the first verdict of the run, once, and only after a
// calibration (a check has no result page). Whichever page is open then, it opens.
void calibrationResultTick(ProgramState& state, CalibrationView& view);

ResultLook calibrationResultLook(const ProgramState& state);

// The result page closes, by "O K" (`okPressed`) or any other way: the menus close
// behind it, and the program after them.
void calibrationResultClosed(ProgramState& state, bool okPressed);

} // namespace interlock
