#pragma once

#include "link/records.h"
#include <cstddef>
#include <cstdint>

#include <span>
#include <string_view>

namespace interlock {

// The drop-down lists of the SETTINGS page, in the order of its USER SETTING group.
enum class Part2List { Unit, BlockingLimit, DisplayMode, BlowLevel, TypeOfBlowing, GSensor };
inline constexpr std::size_t kPart2Lists = 6;

// The items of `list` in the order shown; those of BLOCKING LIMIT depend on the
// position of the unit chosen in UNIT.
std::span<const std::string_view> listItems(Part2List list, int unitIndex);

// UNIT position of a `test_unit` code; an unknown code shows "mg/L".
int unitIndexFor(TestUnit testUnit);
// `test_unit` code of a UNIT position; no valid selection gives 3 (mg/L).
TestUnit unitCodeAt(int unitIndex);

// BLOCKING LIMIT position of an `alarm_density` of 5 to 50 in steps of 5; any other
// value shows the middle position, 4.
int blockingIndexFor(std::uint8_t alarmDensity);
std::uint8_t alarmDensityAt(int blockingIndex);

// The position `value` selects in a list of `count` items, the first for any
// value beyond the list.
int indexOrFirst(std::uint8_t value, std::size_t count);

} // namespace interlock
