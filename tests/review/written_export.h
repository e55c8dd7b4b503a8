#pragma once

#include "log/event_decoder.h"
#include "sim/device_records.h"

#include <cstdint>
#include <string>
#include <vector>

namespace interlock::testing {

// A log as an interlock serves it, and what READ LOG knew before it came.
struct ServedLog {
    std::uint8_t logType = LOG_TYPE_PART2;
    std::uint32_t firmware = 0x0404;
    std::uint8_t testUnit = 1;
    std::string registration = "AB12";
    std::string handsetSerial = "HS000123";
    std::string controlSerial = "CU000456";
    bool header = true;
    std::vector<sim::LogEvent> events;
};

// The export file, byte for byte, that the program's own log download writes for
// `log`.
std::string writtenExport(const ServedLog& log);

// A 9-byte event as the simulator keeps it (the seconds are dropped for 8-byte
// records).
sim::LogEvent event(int year, int month, int day, int hour, int minute, int second,
                    std::uint8_t code, std::uint16_t value = 0);

} // namespace interlock::testing
