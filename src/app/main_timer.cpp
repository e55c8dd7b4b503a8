#include "app/main_timer.h"

#include "link/trace.h"

namespace interlock {

namespace {
constexpr std::uint8_t kVerdictTicks = 15;
constexpr std::uint8_t kReceiveIdleTicks = 5;
constexpr std::uint8_t kLogStallTicks = 10;

void messageCountdown(ProgramState& state, TimerHost& host) {
    if (state.messageCountdown == 0)
        return;
    if (--state.messageCountdown == 1)
        host.showMessage("Event Read Complete");
}

// The result page opens on the 17th tick after the first verdict of the run, once:
// the tick count goes one past that tick and stays there. The timer itself never
// stops, so the other duties go on.
void calibrationVerdict(ProgramState& state, TimerHost& host) {
    if (state.calVerdict == VERDICT_NONE || state.calVerdictTicks > kVerdictTicks + 1)
        return;
    if (state.calVerdictTicks == kVerdictTicks + 1) {
        const std::uint8_t mode = state.calRequest.mode();
        if ((mode & 0x01) && !(mode & 0x02))
            host.openCalibrationResult();
    }
    ++state.calVerdictTicks;
}

// A partial frame that stays incomplete for six ticks is dropped, so it cannot
// swallow the answers that follow it.
void receiveTimeout(ProgramState& state) {
    if (state.ring.hasUnconsumed())
        ++state.rxIdleCount;
    if (state.rxIdleCount > kReceiveIdleTicks) {
        state.rxIdleCount = 0;
        state.ring.clear();
        trace("Rx_TimeOut Occured!!\r\n");
    }
}

void logWatchdog(ProgramState& state, TimerHost& host) {
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
        state.logDownload = 0;
        host.failLogDownload();
    }
}
} // namespace

void runTimerTick(ProgramState& state, TimerHost& host) {
    messageCountdown(state, host);
    calibrationVerdict(state, host);
    receiveTimeout(state);
    logWatchdog(state, host);
}

} // namespace interlock
