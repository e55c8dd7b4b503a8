#pragma once

#include "sim/sim_time.h"

#include <cstddef>

namespace interlock::sim {

// How fast the device takes what the program sends: no faster than the line carries
// it (0: as fast as it comes). What the device has not taken yet stays in the
// line's buffer, so a program that writes faster than the line is held back as by
// a real serial line.
class InputPace {
  public:
    // The device's receive FIFO: this many bytes may be taken at once after a pause.
    static constexpr std::size_t kBurstBytes = 64;

    explicit InputPace(double bytesPerSecond = 0) : bytesPerSecond_(bytesPerSecond) {}

    // How many bytes the device may take at `now`; `limit` when not paced.
    std::size_t allowance(SimTime now, std::size_t limit) const;
    void took(std::size_t count, SimTime now);
    // When at least one more byte may be taken.
    SimTime nextByteAt() const;

  private:
    double bytesPerSecond_;
    double lineClock_ = 0; // microseconds: when the last byte taken had fully arrived
};

} // namespace interlock::sim
