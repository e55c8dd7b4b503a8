#pragma once

#include "calib/calibration_view.h"
#include "link/program_state.h"

namespace interlock {

// Both take a report the dispatcher has stored, before it answers the interlock. A
// report that comes when no calibration was started in this run (START sets the
// request's mode) is judged not at all: it changes no text, no step and no verdict,
// so it can neither show on a later run's page nor decide that run's result.

// A status report was stored in calStatus: its name becomes the text of the reading
// under way (a code without a name changes no text), and a warm-up after a reading
// starts the next one.
void takeCalibrationStatus(ProgramState& state, CalibrationView& view);

// A value report was stored in calValue: its density and reference are kept; the
// first and second readings are checked against their reference, the final one
// against its window, and the first failing or final verdict is kept. In check mode
// the stage is raised by two first, so the echo carries it raised.
void takeCalibrationValue(ProgramState& state, CalibrationView& view);

} // namespace interlock
