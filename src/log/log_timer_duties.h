#pragma once

#include "link/program_state.h"

#include <string>
#include <string_view>

namespace interlock {

// What the program says once a read of the event log has completed.
inline constexpr std::string_view kEventReadComplete = "Event Read Complete";

// What the log's duties on the main timer make happen outside the program state.
class LogTimerHost {
  public:
    virtual ~LogTimerHost() = default;
    virtual void showMessage(const std::string& text) = 0;
    // Each tick of a running log download: the DOWNLOAD page shows its progress.
    virtual void refreshDownloadPage() {}
    // The log download made no progress for 11 ticks: end it as failed.
    virtual void failLogDownload() {}
};

// Shows "Event Read Complete" on the tick after the one that found the countdown at 2.
void logMessageCountdown(ProgramState& state, LogTimerHost& host);

// While a download runs: refreshes its page, and fails it once the log stream has
// brought no byte for 11 ticks. Outside a download its counters rest at zero.
void logDownloadWatchdog(ProgramState& state, LogTimerHost& host);

} // namespace interlock
