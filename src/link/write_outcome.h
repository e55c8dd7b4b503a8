#pragma once

#include "link/codes.h"
#include "link/program_state.h"

#include <cstdint>

namespace interlock {

// Whether the interlock refused any of the writes a page sends between building
// this and asking refused(). A refusal is a NACK stored by the dispatcher meanwhile;
// silence or an ACK is no refusal, so a unit that never acknowledges changes nothing.
class WriteOutcome {
  public:
    explicit WriteOutcome(const ProgramState& state) : state_(state), nacksBefore_(nacks(state)) {}

    bool refused() const { return nacks(state_) != nacksBefore_; }

  private:
    static std::uint32_t nacks(const ProgramState& state) {
        return state.answersReceived[response::NACK];
    }

    const ProgramState& state_;
    std::uint32_t nacksBefore_;
};

} // namespace interlock
