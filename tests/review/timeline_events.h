#pragma once

#include "review/export_log.h"
#include "review/wall_time.h"

#include <cstdint>
#include <optional>

namespace interlock::testing {

// 2026-01-01 00:00, where the timeline tests' events start.
inline const std::int64_t kTimelineStart = review::wallSeconds({26, 1, 1, 0, 0, 0});

// An event `seconds` after kTimelineStart; stamps past the end of a day carry over
// like a calendar.
inline review::ReviewEvent eventAt(std::int64_t seconds, review::EventKind kind,
                                   std::optional<float> reading = {}) {
    review::ReviewEvent event;
    event.time = {26, 1, 1, 0, 0, static_cast<int>(seconds)};
    event.kind = kind;
    event.reading = reading;
    return event;
}

} // namespace interlock::testing
