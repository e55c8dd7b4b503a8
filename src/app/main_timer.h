#pragma once

#include "link/program_state.h"

#include <string>

namespace interlock {

// What the main window's 200 ms timer makes happen outside the program state.
class TimerHost {
  public:
    virtual ~TimerHost() = default;
    virtual void showMessage(const std::string& text) = 0;
    // The calibration result page of the product line in `Part_type_f`.
    virtual void openCalibrationResult() {}
    // Each tick of a running log download: the DOWNLOAD page shows its progress.
    virtual void refreshDownloadPage() {}
    // The log download made no progress for 11 ticks: end it as failed.
    virtual void failLogDownload() {}
};

// One tick of the main window's timer: message countdown, calibration verdict,
// receive timeout, log download watchdog, in this order.
void runTimerTick(ProgramState& state, TimerHost& host);

} // namespace interlock
