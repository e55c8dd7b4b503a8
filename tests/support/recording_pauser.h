#pragma once

#include "link/pauser.h"

#include <cstddef>
#include <cstdint>
#include <functional>
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
    void pause(int ms) override { record({ms, 0}); }
    void pauseForAnswer(int ms, std::uint8_t code) override { record({ms, code}); }
    std::vector<Wait> waits;
    // What the line brings during each wait once it is recorded (an answer, a record
    // nobody asked for, a hang-up), given the wait's number from 0.
    std::function<void(std::size_t wait)> meanwhile;

  private:
    void record(Wait wait) {
        waits.push_back(wait);
        if (meanwhile)
            meanwhile(waits.size() - 1);
    }
};

} // namespace interlock::testing
