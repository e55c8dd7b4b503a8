#pragma once

#include "app/main_timer.h"

#include <functional>
#include <vector>

namespace interlock {

// What a subsystem has the program do when a report of its own has been stored.
using ReportDuty = std::function<void(ProgramState&)>;

// What the subsystems have the program do besides opening pages: they register
// their duties here as they register their pages in MenuPages, so the program
// never calls a subsystem itself. A front end registers the duties it needs
// (registerLogDuties, registerCalibrationDuties); whatever is not registered is
// not done.
struct ProgramDuties {
    // Run on each tick of the main timer, after the receive timeout.
    std::vector<TimerDuty> timer;
    // Run when a calibration status or value report has been stored, before the
    // program answers it (the time answer, the echo).
    ReportDuty calibrationStatus;
    ReportDuty calibrationValue;
};

} // namespace interlock
