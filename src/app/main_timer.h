#pragma once

#include "link/program_state.h"

#include <functional>
#include <vector>

namespace interlock {

// A subsystem's duty on each tick of the main window's 200 ms timer.
using TimerDuty = std::function<void(ProgramState&)>;

// One tick of the main window's timer: the receive timeout, then each registered
// duty in the order it was registered. The timer never stops, so every duty goes
// on whatever another one did.
void runTimerTick(ProgramState& state, const std::vector<TimerDuty>& duties);

} // namespace interlock
