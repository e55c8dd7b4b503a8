#pragma once

#include "link/local_time.h"
#include "link/records.h"
#include "log/log_texts.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace interlock {

// The export file name for a read started at local time `local`.
std::string exportFileName(const LogStamp& local, std::string_view registration);

// The opening block of a read: registration number, program and firmware
// versions, the diagnosis counters.
void addOpeningBlock(LogTexts& texts, std::string_view registration, const InfoRecord& info,
                     const DiagnosisRecord& diagnosis);

// The header body of the log (section 1) as it arrives.
struct LogHeader {
    static constexpr std::size_t kAreaSize = 24;
    static constexpr std::size_t kSerialWidth = 8;
    std::array<std::uint8_t, kAreaSize> bytes{};

    std::string_view handsetSerial() const { return chars(0); }
    std::string_view controlSerial() const { return chars(kSerialWidth); }
    // Service date and time in UTC, with seconds 0.
    LogStamp serviceTime() const {
        return {bytes[16], bytes[17], bytes[18], bytes[19], bytes[20], 0};
    }
    std::uint16_t servicePeriod() const {
        return static_cast<std::uint16_t>(bytes[21] | bytes[22] << 8);
    }

  private:
    std::string_view chars(std::size_t at) const {
        return {reinterpret_cast<const char*>(bytes.data() + at), kSerialWidth};
    }
};

// The header lines: serial numbers, the service date (given already in local
// time) and the service period.
void addHeaderRows(LogTexts& texts, const LogHeader& header, const LogStamp& localServiceTime);

} // namespace interlock
