#pragma once

#include "sim/device_records.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace interlock::sim {

// Firmware from this version on sends 10-byte records with a check byte and a total.
inline constexpr std::uint32_t kCheckedLogFirmware = 0x0403;
inline constexpr std::size_t kHeaderBodySize = 23;

// How the header section is answered.
enum class HeaderMode { Full, EmptyZero, EmptyAllOnes };

// Faults built into the event section itself.
struct LogContentFaults {
    std::optional<std::size_t> badCheckRecord; // 0-based record whose check byte is wrong
    bool badTotal = false;                     // total one more than the true sum
};

// Section 1: 4-byte length, then serials, service date (UTC) and service period.
std::vector<std::uint8_t> headerSection(const DeviceRecords& records, HeaderMode mode);

// Section 2: 4-byte length, the records (10 bytes with check from `kCheckedLogFirmware`
// on, else 8 bytes without seconds), and for 10-byte records the 32-bit total.
std::vector<std::uint8_t> eventSection(const std::vector<LogEvent>& events,
                                       std::uint32_t firmwareVersion,
                                       const LogContentFaults& faults = {});

// Sum of bytes 0 to 8 of a 10-byte record, modulo 256.
std::uint8_t recordCheck(const LogEvent& event);

} // namespace interlock::sim
