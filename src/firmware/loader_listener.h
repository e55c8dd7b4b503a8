#pragma once

#include "link/program_state.h"

#include <array>
#include <cstdint>

namespace interlock {

// Listens to the interlock's firmware loader while the firmware receive mode flag is
// set: keeps the last seven characters received and recognises "Ready\r\n", however
// the text is split across receptions.
class LoaderListener {
  public:
    explicit LoaderListener(ProgramState& state) : state_(state) {}

    // Takes every unconsumed byte out of the ring. Returns true when a transfer should
    // start now: the loader has said it is ready and no menu is about to close.
    bool onBytes(ReceiveRing& ring);

  private:
    ProgramState& state_;
    std::array<char, 7> window_{};
};

} // namespace interlock
