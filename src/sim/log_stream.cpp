#include "sim/log_stream.h"

#include <numeric>

namespace interlock::sim {

namespace {
void appendLe32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<std::uint8_t>(value >> shift));
}
} // namespace

std::uint8_t recordCheck(const LogEvent& event) {
    return static_cast<std::uint8_t>(std::accumulate(event.begin(), event.end(), 0u));
}

std::vector<std::uint8_t> headerSection(const DeviceRecords& records, HeaderMode mode) {
    std::vector<std::uint8_t> out;
    out.reserve(4 + kHeaderBodySize);
    if (mode != HeaderMode::Full) {
        appendLe32(out, mode == HeaderMode::EmptyZero ? 0 : 0xFFFFFFFF);
        return out;
    }
    appendLe32(out, kHeaderBodySize);
    const auto serials = records.identity.view().subspan(3, 16);
    out.insert(out.end(), serials.begin(), serials.end());
    const auto serviceTime = records.service.view().first(5);
    out.insert(out.end(), serviceTime.begin(), serviceTime.end());
    const std::uint16_t period = records.option.service_fix_date();
    out.push_back(static_cast<std::uint8_t>(period & 0xFF));
    out.push_back(static_cast<std::uint8_t>(period >> 8));
    return out;
}

std::vector<std::uint8_t> eventSection(const std::vector<LogEvent>& events,
                                       std::uint32_t firmwareVersion,
                                       const LogContentFaults& faults) {
    const bool checked = firmwareVersion >= kCheckedLogFirmware;
    const std::size_t recordSize = checked ? 10 : 8;
    std::vector<std::uint8_t> out;
    out.reserve(8 + events.size() * recordSize);
    appendLe32(out, static_cast<std::uint32_t>(events.size() * recordSize));
    std::uint32_t total = 0;
    for (std::size_t i = 0; i < events.size(); ++i) {
        const LogEvent& e = events[i];
        if (!checked) {
            // Early firmware: no seconds, no check.
            out.insert(out.end(), e.begin(), e.begin() + 5);
            out.insert(out.end(), e.begin() + 6, e.end());
            continue;
        }
        out.insert(out.end(), e.begin(), e.end());
        std::uint8_t check = recordCheck(e);
        if (faults.badCheckRecord == i)
            check = static_cast<std::uint8_t>(check + 1);
        out.push_back(check);
        total = std::accumulate(e.begin(), e.end(), total);
    }
    if (checked)
        appendLe32(out, faults.badTotal ? total + 1 : total);
    return out;
}

} // namespace interlock::sim
