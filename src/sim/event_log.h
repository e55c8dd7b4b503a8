#pragma once

#include "link/civil_time.h"
#include "sim/device_records.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace interlock::sim {

// A log of `count` events as an interlock of product line `partType` (1 or 2) would
// have written them while driven, starting at `start` (UTC): power, tests, retests,
// ignition and relay, movement, calibration, override, tampering, the odd unknown
// code and empty (0xFF) slots. The same seed always gives the same log.
std::vector<LogEvent> generateEvents(std::uint32_t seed, std::size_t count, std::uint8_t partType,
                                     const CivilTime& start);

// Text form, one event a line: "2026-12-01 08:15:30 0x10 123", or "empty" for an
// empty slot; blank lines and lines starting with '#' are skipped.
std::string formatEvents(const std::vector<LogEvent>& events);
// Nothing when a line cannot be read; `error` then names it.
std::optional<std::vector<LogEvent>> parseEvents(std::string_view text, std::string& error);

LogEvent makeEvent(const CivilTime& time, std::uint8_t code, std::uint16_t value);
LogEvent emptySlot();

} // namespace interlock::sim
