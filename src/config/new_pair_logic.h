#pragma once

#include "link/requester.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace interlock {

// The two forms of NEW PAIR: PART 2 can keep the control unit's data.
enum class NewPairForm { Part1, Part2 };

inline constexpr int kNewPairWaitMs = 300;
// Pairing command bytes: a new pairing that deletes all data, or keeps the control
// unit's data.
inline constexpr std::uint8_t kPairDeletingAll = 5;
inline constexpr std::uint8_t kPairKeepingData = 3;

// OK: the pairing command goes out in the identity record, now marked PART 2. Empty
// when the page may close, else the refusal to show (the page stays open).
std::string newPairOk(NewPairForm form, bool deleteAllData, Requester& requester);

} // namespace interlock
