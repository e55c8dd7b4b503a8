#pragma once

#include <array>
#include <cstddef>
#include <string>

namespace interlock {

// The edits of the test page.
enum class TestEdit {
    RetestMin,
    RetestMax,
    MultiRetestMin,
    MultiRetestMax,
    StartPeriod,
    RestartPeriod,
    BlockTime1,
    BlockTime2,
    Grace,
    AlarmLevel,
    ServiceDate,
    CalibDate,
    OverrideTime,
    PinCode,
    HandSerial,
    ControlSerial,
    Count,
};

// Its radio groups; each holds the index of the checked radio, from 0.
enum class TestRadio {
    LockOut,   // OFF, ON
    BlowType,  // NORMAL, B-S, B-S-B
    Unit,      // mg/L, g/L, %BAC, mg/100mL
    Mode,      // VALUE, PASS/FAIL
    BlowLevel, // 0.80L, 0.95L, 1.00L, 1.15L
    EarlyUse,  // OFF, ON
    GSensor,   // NONE, SOFT, NORMAL, HARD
    Count,
};

// Its check boxes, one per option bit.
enum class TestCheck { DriverChange, DoorTrigger, MotorCycle, AlarmRelay, AddOverride, Count };

// Everything the test page shows and the engineer may change.
struct TestPageFields {
    std::array<std::string, static_cast<std::size_t>(TestEdit::Count)> edits{};
    std::array<int, static_cast<std::size_t>(TestRadio::Count)> radios{};
    std::array<bool, static_cast<std::size_t>(TestCheck::Count)> checks{};

    std::string& edit(TestEdit e) { return edits[static_cast<std::size_t>(e)]; }
    const std::string& edit(TestEdit e) const { return edits[static_cast<std::size_t>(e)]; }
    int& radio(TestRadio r) { return radios[static_cast<std::size_t>(r)]; }
    int radio(TestRadio r) const { return radios[static_cast<std::size_t>(r)]; }
    bool& check(TestCheck c) { return checks[static_cast<std::size_t>(c)]; }
    bool check(TestCheck c) const { return checks[static_cast<std::size_t>(c)]; }
};

} // namespace interlock
