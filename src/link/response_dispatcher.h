#pragma once

#include "link/dispatcher_host.h"
#include "link/program_state.h"

#include <cstdint>
#include <span>

namespace interlock {

// Gathers received bytes into frames and acts on each by its response code. It is
// the only writer of received records into the program state.
class ResponseDispatcher {
  public:
    ResponseDispatcher(ProgramState& state, DispatcherHost& host) : state_(state), host_(host) {}

    // One receive notification: the bytes just read from the channel.
    void onBytes(std::span<const std::uint8_t> chunk);

  private:
    void gatherFrames();
    // Acts on one whole frame; returns true when a record response failed its CRC.
    bool dispatch(std::span<const std::uint8_t> frame);
    // What a stored record response makes happen besides.
    void onCalStatus();
    void onCalValue();
    void onIdentity();
    void onInfo();
    void onWholeRead(std::span<const std::uint8_t> payload);
    void noteAnswer(std::uint8_t code);

    ProgramState& state_;
    DispatcherHost& host_;
};

} // namespace interlock
