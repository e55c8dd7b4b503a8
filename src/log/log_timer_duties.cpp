#include "log/log_timer_duties.h"

#include "link/trace.h"

namespace interlock {

namespace {
constexpr std::uint8_t kLogStallTicks = 10;
} // namespace

void logMessageCountdown(ProgramState& state, LogTimerHost& host) {
    if (state.messageCountdown == 0)
        return;
    if (--state.messageCountdown == 1)
        host.showMessage(std::string(kEventReadComplete));
}

void logDownloadWatchdog(ProgramState& state, LogTimerHost& host) {
    if (!state.logDownload) {
        state.lastLogPacketCount = 0;
        state.Log_Write_Packet_Cnt = 0;
        state.logStallCount = 0;
        return;
    }
    host.refreshDownloadPage();
    if (state.Log_Write_Packet_Cnt != state.lastLogPacketCount) {
        state.lastLogPacketCount = state.Log_Write_Packet_Cnt;
        state.logStallCount = 0;
        return;
    }
    if (state.logStallCount++ >= kLogStallTicks) {
        state.logStallCount = 0;
        trace("timer function file close Log_Write_Packet_Cnt = %d\r\n",
              state.Log_Write_Packet_Cnt);
        // Cleared first: the host's failure message is modal and the timer keeps ticking.
        state.logDownload = false;
        host.failLogDownload();
    }
}

} // namespace interlock
