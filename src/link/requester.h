#pragma once

#include "link/pauser.h"
#include "link/program_state.h"

#include <cstdint>
#include <span>

namespace interlock {

// The pages' way to talk to the interlock: send a request, then wait.
class Requester {
  public:
    static constexpr int kReadWaitMs = 300;

    Requester(ProgramState& state, Pauser& pauser) : state_(state), pauser_(pauser) {}

    // Sends a request and waits up to `ms` for its answer to be stored (the full
    // time when the request has no awaited answer). False when an awaited answer
    // was not stored meanwhile: silence, or an answer dropped as short or damaged.
    bool read(std::uint8_t code, std::span<const std::uint8_t> payload = {}, int ms = kReadWaitMs);
    // Sends a request and waits the full `ms`.
    void write(std::uint8_t code, std::span<const std::uint8_t> payload, int ms);
    // Sends a write whose page gives the device no time of its own, and waits up to
    // `ms` for its acknowledgement `answer`, so that a refusal can still be heard.
    void writeAcknowledged(std::uint8_t code, std::span<const std::uint8_t> payload, int ms,
                           std::uint8_t answer);
    void pause(int ms) { pauser_.pause(ms); }
    // Waits up to `ms` for an answer with `responseCode` to a request already sent.
    void awaitAnswer(std::uint8_t responseCode, int ms) {
        pauser_.pauseForAnswer(ms, responseCode);
    }

    ProgramState& state() { return state_; }

  private:
    ProgramState& state_;
    Pauser& pauser_;
};

} // namespace interlock
