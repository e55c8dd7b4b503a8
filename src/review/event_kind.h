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

// The kind's caption for counts, plural ("Retests missed").
std::string_view kindCaption(EventKind kind);
// The kind of one event ("Retest missed").
std::string_view kindName(EventKind kind);

// Breath tests carry a reading.
bool isBreathTest(EventKind kind);
// What a monitoring officer must look at: failed, missed or refused tests,
// starts without a test, tampering.
bool isViolation(EventKind kind);

} // namespace interlock::review
