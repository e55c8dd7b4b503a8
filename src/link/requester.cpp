#include "link/requester.h"

#include "link/codes.h"

namespace interlock {

bool Requester::read(std::uint8_t code, std::span<const std::uint8_t> payload, int ms) {
    state_.link.send(code, payload);
    const std::uint8_t awaited = awaitedResponse(code);
    if (awaited == 0) {
        pauser_.pause(ms);
        return true;
    }
    const std::uint32_t before = state_.answersReceived[awaited];
    pauser_.pauseForAnswer(ms, awaited);
    return state_.answersReceived[awaited] != before;
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
