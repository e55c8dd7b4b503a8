#pragma once

#include "config/new_pair_logic.h"
#include "link/program_state.h"
#include "link/requester.h"

#include <cstdint>
#include <string>

namespace interlock {

inline constexpr int kPairingWaitMs = 300;

// The "FW VER" and "PC VER" labels: versions in two-digit upper-case hexadecimal. The
// program's own version is the firmware version it was made for.
struct PairingTexts {
    std::string firmware{};
    std::string pc{};
};

PairingTexts pairingTexts(const ProgramState& state);

// SERIAL NUMBER: asks the interlock for its pairing data before the page opens.
// Empty when it answered, else the message to show instead of the page.
std::string pairingSerialNumber(Requester& requester);
// SOFTWARE: the wait before the page opens.
void pairingSoftware(Requester& requester);
// NEW PAIR: the wait, then the form that fits the product line.
NewPairForm pairingNewPair(Requester& requester);

} // namespace interlock
