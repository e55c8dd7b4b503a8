#pragma once

#include "link/pauser.h"

#include <cstdint>
#include <vector>

namespace interlock::testing {

// Records each wait instead of sleeping: its time and the awaited answer (0: full wait).
class RecordingPauser : public Pauser {
  public:
    struct Wait {
        int ms;
        std::uint8_t awaited;
        bool operator==(const Wait&) const = default;
    };
    void pause(int ms) override { waits.push_back({ms, 0}); }
    void pauseForAnswer(int ms, std::uint8_t code) override { waits.push_back({ms, code}); }
    std::vector<Wait> waits;
};

} // namespace interlock::testing
