#include "review/event_filter.h"

#include "review/review_summary.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace interlock::review {

namespace {
char folded(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

bool holds(std::string_view line, std::string_view foldedText) {
    const auto found = std::search(line.begin(), line.end(), foldedText.begin(), foldedText.end(),
                                   [](char a, char b) { return folded(a) == b; });
    return found != line.end();
}
} // namespace

std::string_view filterCaption(KindFilter filter) {
    switch (filter) {
    case KindFilter::All:
        return "All events";
    case KindFilter::Violations:
        return "Violations only";
    case KindFilter::BreathTests:
        return "Breath tests only";
    case KindFilter::FailedTests:
        return "Failed breath tests";
    case KindFilter::Power:
        return "Power events";
    case KindFilter::Overrides:
        return "Overrides";
    case KindFilter::Calibrations:
        return "Calibrations";
    case KindFilter::Unknown:
        return "Unknown codes";
    }
    return {};
}

bool passes(KindFilter filter, EventKind kind) {
    switch (filter) {
    case KindFilter::All:
        return true;
    case KindFilter::Violations:
        return isViolation(kind);
    case KindFilter::BreathTests:
        return isBreathTest(kind);
    case KindFilter::FailedTests:
        return kind == EventKind::TestFailed || kind == EventKind::RetestFailed;
    case KindFilter::Power:
        return kind == EventKind::Power;
    case KindFilter::Overrides:
        return kind == EventKind::Override;
    case KindFilter::Calibrations:
        return kind == EventKind::Calibration || kind == EventKind::CalibrationFailed;
    case KindFilter::Unknown:
        return kind == EventKind::Unknown;
    }
    return false;
}

std::vector<std::uint32_t> filterEvents(const ExportLog& log, KindFilter filter,
                                        std::string_view text) {
    std::string foldedText(text);
    std::transform(foldedText.begin(), foldedText.end(), foldedText.begin(), folded);
    const bool withSeconds = log.format != RecordFormat::NoSeconds;
    std::vector<std::uint32_t> shown;
    for (std::uint32_t i = 0; i < log.events.size(); ++i) {
        const ReviewEvent& event = log.events[i];
        if (!passes(filter, event.kind))
            continue;
        if (foldedText.empty() || holds(log.eventText(event), foldedText) ||
            holds(stampText(event.time, withSeconds), foldedText))
            shown.push_back(i);
    }
    return shown;
}

} // namespace interlock::review
