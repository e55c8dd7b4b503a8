#pragma once

#include "link/codes.h"
#include "link/program_state.h"

#include <cstdint>

namespace interlock {

// Whether the interlock refused any of the writes a page sends between building
// this and asking refused(). A refusal is a NACK stored by the dispatcher meanwhile,
// or the port lost meanwhile: writes after it never reached the interlock. Silence
// or an ACK is no refusal, so a unit that never acknowledges changes nothing.
class WriteOutcome {
  public:
    explicit WriteOutcome(const ProgramState& state)
        : state_(state), nacksBefore_(nacks(state)), lostBefore_(state.linesLost) {}

    bool refused() const {
        return nacks(state_) != nacksBefore_ || state_.linesLost != lostBefore_;
    }

  private:
    static std::uint32_t nacks(const ProgramState& state) {
        return state.answersReceived[response::NACK];
    }

    const ProgramState& state_;
    std::uint32_t nacksBefore_;
    std::uint32_t lostBefore_;
};

} // namespace interlock
