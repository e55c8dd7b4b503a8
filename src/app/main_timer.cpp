#include "app/main_timer.h"

#include "link/trace.h"

namespace interlock {

namespace {
constexpr std::uint8_t kVerdictTicks = 15;
constexpr std::uint8_t kReceiveIdleTicks = 5;

// The result page opens on the 17th tick after the first verdict of the run, once:
// the tick count goes one past that tick and stays there. The timer itself never
// stops, so the other duties go on.
void calibrationVerdict(ProgramState& state, TimerHost& host) {
    if (state.calVerdict == CalVerdict::None || state.calVerdictTicks > kVerdictTicks + 1)
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
} // namespace

void runTimerTick(ProgramState& state, TimerHost& host) {
    logMessageCountdown(state, host);
    calibrationVerdict(state, host);
    receiveTimeout(state);
    logDownloadWatchdog(state, host);
}

} // namespace interlock
