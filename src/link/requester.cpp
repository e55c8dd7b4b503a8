#include "link/requester.h"

#include "link/codes.h"

namespace interlock {

void Requester::read(std::uint8_t code, std::span<const std::uint8_t> payload, int ms) {
    state_.link.send(code, payload);
    const std::uint8_t awaited = awaitedResponse(code);
    if (awaited != 0)
        pauser_.pauseForAnswer(ms, awaited);
    else
        pauser_.pause(ms);
}

void Requester::write(std::uint8_t code, std::span<const std::uint8_t> payload, int ms) {
    state_.link.send(code, payload);
    pauser_.pause(ms);
}

void Requester::writeAcknowledged(std::uint8_t code, std::span<const std::uint8_t> payload, int ms,
                                  std::uint8_t answer) {
    state_.link.send(code, payload);
    pauser_.pauseForAnswer(ms, answer);
}

} // namespace interlock
