#pragma once

#include "sim/sim_time.h"

#include <cstdint>
#include <span>
#include <vector>

namespace interlock::sim {

// One request frame as the device received it.
struct Request {
    std::uint8_t code = 0;
    std::vector<std::uint8_t> payload;
    bool crcGood = false;
};

// The device's side of frame gathering: skips bytes until a start byte, waits for
// the whole frame and hands it over with its CRC verdict. A partial frame that sees
// no further byte for `kPartialTimeout` is dropped, so one stray 0x02 cannot make
// the device deaf.
class RequestReader {
  public:
    static constexpr SimTime kPartialTimeout = msec(100);

    std::vector<Request> feed(std::span<const std::uint8_t> bytes, SimTime now);
    void reset() { pending_.clear(); }

  private:
    std::vector<std::uint8_t> pending_;
    SimTime lastByte_{};
};

} // namespace interlock::sim
