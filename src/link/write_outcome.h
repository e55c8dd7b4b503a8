#pragma once

#include "link/codes.h"
#include "link/program_state.h"

#include <cstdint>

namespace interlock {

// What became of the writes a page sends between building this and asking. A
// refusal is a NACK stored by the dispatcher meanwhile; silence or an ACK is no
// refusal, so a unit that never acknowledges changes nothing. A line lost meanwhile
// means the later writes never went out; with no line at all, none did.
class WriteOutcome {
  public:
    explicit WriteOutcome(const ProgramState& state)
        : state_(state), nacksBefore_(nacks(state)), linesLostBefore_(state.linesLost) {}

    bool refused() const { return nacks(state_) != nacksBefore_; }
    bool lineLost() const {
        return state_.linesLost != linesLostBefore_ || state_.link.channel() == nullptr;
    }

  private:
    static std::uint32_t nacks(const ProgramState& state) {
        return state.answersReceived[response::NACK];
    }

    const ProgramState& state_;
    std::uint32_t nacksBefore_;
    std::uint32_t linesLostBefore_;
};

} // namespace interlock
