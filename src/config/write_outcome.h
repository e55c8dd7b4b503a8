#pragma once

#include "link/codes.h"
#include "link/program_state.h"

#include <cstdint>
#include <string_view>

namespace interlock {

// The interlock is given this long after each settings record written.
inline constexpr int kSettingsWriteWaitMs = 1000;

// Shown after a page's writes when the interlock refused one of them; the page stays
// open so that the technician can try again.
inline constexpr std::string_view kSettingsWriteRefused =
    "The interlock refused the settings write.";

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
