#pragma once

#include <cstdint>
#include <optional>

namespace interlock {

// What follows an event text on its line.
enum class EventTail : std::uint8_t {
    None,        // the text ends the line
    Value,       // the breath alcohol value
    ErrorCode,   // "Err  %d" with the parameter byte
    Seconds,     // "\t%dsec" with the parameter byte
    Parameter,   // "%d " with the parameter byte
    Blank,       // " " and the line end
    Temperature, // " %d 'C" with the value in tenths of a degree
    DeviceError, // the error bits of the parameter byte
    Calibration, // the breath calibration result; the text is empty
};

// An event's text in its screen form ("\r\n" line ends) and what follows it.
struct EventWording {
    const char* text;
    EventTail tail;
};

// PART 1 wording; an unknown code prints an empty event.
EventWording part1Wording(std::uint8_t code, std::uint8_t parameter);
// PART 2 wording; codes outside the PART 2 set are not printed at all.
std::optional<EventWording> part2Wording(std::uint8_t code, std::uint8_t parameter);

} // namespace interlock
