#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace interlock::review {

// A tick of the timeline's time axis: where, in wall seconds, and its label.
struct TimeTick {
    std::int64_t seconds;
    std::string label;
};

// The ticks between `from` and `to` (both included): on round times (whole seconds,
// minutes and hours, midnights, Mondays, first days of months, new years), the
// finest step that gives no more than `most` ticks. A label shows what its step
// needs: "hh:mm:ss", "hh:mm", "MM-dd hh:mm", "yyyy-MM-dd", "yyyy-MM" or "yyyy".
std::vector<TimeTick> timeTicks(std::int64_t from, std::int64_t to, int most);

} // namespace interlock::review
