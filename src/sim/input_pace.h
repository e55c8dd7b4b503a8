#pragma once

#include "sim/sim_time.h"

#include <cstddef>

namespace interlock::sim {

// How fast the device takes what the program sends: no faster than the line carries
// it (0: as fast as it comes). What the device has not taken yet stays in the
// line's buffer, so a program that writes faster than the line is held back as by
// a real serial line. The line runs on while the device is slow to read: after a
// read that left bytes behind, the next may take all the line carried meanwhile.
class InputPace {
  public:
    // The device's receive FIFO: what an idle line delivers at once when bytes come.
    static constexpr std::size_t kBurstBytes = 64;

    explicit InputPace(double bytesPerSecond = 0) : bytesPerSecond_(bytesPerSecond) {}

    // How many bytes the device may take at `now`; `limit` when not paced.
    std::size_t allowance(SimTime now, std::size_t limit) const;
    // `count` of the `asked` bytes were read at `now`; fewer means the line is empty.
    void took(std::size_t count, std::size_t asked, SimTime now);
    // When at least one more byte may be taken.
    SimTime nextByteAt() const;

  private:
    double bytesPerSecond_;
    double lineClock_ = 0; // microseconds: when the last byte taken had fully arrived
    bool idle_ = true;     // the last read emptied the line
};

} // namespace interlock::sim
