#include "review/event_kind.h"

namespace interlock::review {

std::string_view kindCaption(EventKind kind) {
    switch (kind) {
    case EventKind::TestPassed:
        return "Breath tests passed";
    case EventKind::TestFailed:
        return "Breath tests failed";
    case EventKind::RetestPassed:
        return "Retests passed";
    case EventKind::RetestFailed:
        return "Retests failed";
    case EventKind::RetestMissed:
        return "Retests missed";
    case EventKind::RetestRefused:
        return "Retests refused";
    case EventKind::InvalidSample:
        return "Invalid breath samples";
    case EventKind::StartWithoutApproval:
        return "Starts without approval";
    case EventKind::Tampering:
        return "Tampering";
    case EventKind::Power:
        return "Power events";
    case EventKind::Override:
        return "Overrides";
    case EventKind::Calibration:
        return "Calibrations";
    case EventKind::CalibrationFailed:
        return "Calibrations failed";
    case EventKind::Unknown:
        return "Unknown codes";
    case EventKind::Other:
        return "Other events";
    }
    return {};
}

std::string_view kindName(EventKind kind) {
    switch (kind) {
    case EventKind::TestPassed:
        return "Test passed";
    case EventKind::TestFailed:
        return "Test failed";
    case EventKind::RetestPassed:
        return "Retest passed";
    case EventKind::RetestFailed:
        return "Retest failed";
    case EventKind::RetestMissed:
        return "Retest missed";
    case EventKind::RetestRefused:
        return "Retest refused";
    case EventKind::InvalidSample:
        return "Invalid sample";
    case EventKind::StartWithoutApproval:
        return "Start without approval";
    case EventKind::Tampering:
        return "Tampering";
    case EventKind::Power:
        return "Power";
    case EventKind::Override:
        return "Override";
    case EventKind::Calibration:
        return "Calibration";
    case EventKind::CalibrationFailed:
        return "Calibration failed";
    case EventKind::Unknown:
        return "Unknown code";
    case EventKind::Other:
        return "Other";
    }
    return {};
}

bool isBreathTest(EventKind kind) {
    using enum EventKind;
    return kind == TestPassed || kind == TestFailed || kind == RetestPassed || kind == RetestFailed;
}

bool isViolation(EventKind kind) {
    using enum EventKind;
    return kind == TestFailed || kind == RetestFailed || kind == RetestMissed ||
           kind == RetestRefused || kind == StartWithoutApproval || kind == Tampering;
}

} // namespace interlock::review
