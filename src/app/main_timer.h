#pragma once

#include "link/program_state.h"
#include "log/log_timer_duties.h"

namespace interlock {

// What the main window's 200 ms timer makes happen outside the program state.
class TimerHost : public LogTimerHost {
  public:
    // The calibration result page of the product line in `Part_type_f`.
    virtual void openCalibrationResult() {}
};

// One tick of the main window's timer: message countdown, calibration verdict,
// receive timeout, log download watchdog, in this order.
void runTimerTick(ProgramState& state, TimerHost& host);

} // namespace interlock
