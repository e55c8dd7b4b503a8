#pragma once

#include "review/export_log.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace interlock::review {

// The choices of the event list's kind filter, in the order offered.
enum class KindFilter : std::uint8_t {
    All,
    Violations,
    BreathTests,
    FailedTests,
    Power,
    Overrides,
    Calibrations,
    Unknown,
};
inline constexpr int kKindFilterCount = static_cast<int>(KindFilter::Unknown) + 1;

std::string_view filterCaption(KindFilter filter);
bool passes(KindFilter filter, EventKind kind);

// The events (indices into log.events, in order) of the kind filter whose event
// text or time as the review shows it holds `text`, letter case aside; an empty
// text is held by every event.
std::vector<std::uint32_t> filterEvents(const ExportLog& log, KindFilter filter,
                                        std::string_view text);

} // namespace interlock::review
