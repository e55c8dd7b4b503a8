#include "app/main_timer.h"

#include "link/trace.h"

namespace interlock {

namespace {
constexpr std::uint8_t kReceiveIdleTicks = 5;

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

void runTimerTick(ProgramState& state, const std::vector<TimerDuty>& duties) {
    receiveTimeout(state);
    for (const TimerDuty& duty : duties)
        duty(state);
}

} // namespace interlock
