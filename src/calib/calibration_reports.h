#pragma once

#include "calib/calibration_view.h"
#include "link/program_state.h"

namespace interlock {

// A status report was stored in calStatus: its name becomes the text of the reading
// under way (a code without a name changes no text), and a warm-up after a reading
// starts the next one.
void takeCalibrationStatus(ProgramState& state, CalibrationView& view);

// A value report was stored in calValue: the first and second readings are checked
// against their reference, the final one against its window, and the first failing
// or final verdict is kept. In check mode the stage is raised by two first, so the
// echo carries it raised.
void takeCalibrationValue(ProgramState& state, CalibrationView& view);

} // namespace interlock
