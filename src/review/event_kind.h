#pragma once

#include <cstdint>
#include <string_view>

namespace interlock::review {

// What an event line tells about the driver and the vehicle.
enum class EventKind : std::uint8_t {
    TestPassed,
    TestFailed,
    RetestPassed,
    RetestFailed,
    RetestMissed,
    RetestRefused,
    InvalidSample,
    StartWithoutApproval,
    Tampering,
    Power,
    Override,
    Calibration,
    CalibrationFailed,
    Unknown,
    Other,
};
inline constexpr int kEventKindCount = static_cast<int>(EventKind::Other) + 1;

// A short caption of the kind, plural, for counts and the event list.
std::string_view kindCaption(EventKind kind);

// Breath tests carry a reading.
bool isBreathTest(EventKind kind);
// What a monitoring officer must look at: failed, missed or refused tests,
// starts without a test, tampering.
bool isViolation(EventKind kind);

} // namespace interlock::review
