#pragma once

#include "log/export_text.h"

#include <array>
#include <cstdint>

namespace interlock {

// Which part of the log the interlock is sending; the value is the request's byte.
enum class LogSection : std::uint8_t { Measurement = 0, Header = 1, Events = 2 };

// Receive state of the unframed log stream, one section at a time.
struct LogReceiveState {
    static constexpr std::size_t kLengthBytes = 4;
    static constexpr std::size_t kTotalBytes = 4;
    static constexpr std::size_t kMaxRecord = 10;

    LogSection section = LogSection::Header;
    std::uint8_t lengthCount = 0;
    std::array<std::uint8_t, kLengthBytes> lengthField{};
    std::uint32_t length_size = 0;
    std::array<std::uint8_t, kMaxRecord> record{};
    std::uint8_t recordIndex = 0;
    LogHeader header;

    // Event log checks: the running sum of the record bytes, the total sent behind
    // the records, and whether any record failed its check byte.
    std::uint32_t crc_32_sum = 0;
    std::uint32_t Rx_Total_crc = 0;
    std::array<std::uint8_t, kTotalBytes> totalBytes{};
    std::uint8_t totalCount = 0;
    std::uint8_t lastRecordCheck = 0;
    bool recordCheckFailed = false;

    // Progress of the current section: body bytes received, records assembled.
    std::uint32_t bodyBytes = 0;
    std::uint32_t records = 0;
};

} // namespace interlock
