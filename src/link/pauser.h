#pragma once

#include <cstdint>

namespace interlock {

// A page's "wait N ms": received bytes and timers go on being handled meanwhile,
// while the page's own input is held. Tests replace it so that nothing sleeps.
class Pauser {
  public:
    virtual ~Pauser() = default;
    // Waits the full time: the device may need it after a write.
    virtual void pause(int ms) = 0;
    // Waits until an answer with `responseCode` has been stored, at most `ms`.
    virtual void pauseForAnswer(int ms, std::uint8_t responseCode) = 0;
};

} // namespace interlock
