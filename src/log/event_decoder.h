#pragma once

#include "link/records.h"
#include "log/log_texts.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace interlock {

// Event record formats by interlock firmware (Log_FW_Check).
enum class LogGeneration : std::uint8_t {
    Early,   // before 0x0403: 8 bytes, no seconds, no record check
    V43,     // 0x0403: 10 bytes, time as recorded
    Current, // 0x0404 and later: 10 bytes, time in UTC
};

LogGeneration generationOf(std::uint32_t fwCheck);
std::size_t recordSizeOf(LogGeneration generation);

// Values of Te_Config_Data_t::log_type; any other value prints no text.
enum LogType : std::uint8_t { LOG_TYPE_PART1 = 0, LOG_TYPE_PART2 = 1 };

// One of the decoders: product line by log type, record format by generation.
// The current generation prints each stamp in the local time of its own instant
// (localStampOf), with the time zone as last read (reloadTimeZone).
struct EventDecoder {
    std::uint8_t logType = LOG_TYPE_PART2;
    LogGeneration generation = LogGeneration::Current;
    TestUnit testUnit = TestUnit::PercentBac;
    // Kept 10-byte PART 2 records are traced as they arrive; a decoder that only
    // prints lines again for comparison stays quiet.
    bool traceRecords = true;

    // A number that names this decoder in traces.
    int number() const;

    // Appends the line of one record (recordSizeOf(generation) bytes) to `texts`
    // and advances `recordNumber`. Returns false, leaving both untouched, when the
    // record prints nothing: an empty slot, a code the product line does not
    // show, or a log type without texts.
    bool decode(std::span<const std::uint8_t> record, std::uint32_t& recordNumber,
                LogTexts& texts) const;
};

} // namespace interlock
