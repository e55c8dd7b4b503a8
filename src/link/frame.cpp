#include "link/frame.h"

#include "link/crc16.h"

#include <algorithm>

namespace interlock {

std::size_t buildFrame(std::uint8_t code, std::span<const std::uint8_t> payload,
                       std::span<std::uint8_t> out) {
    const std::size_t length = payload.size() + kFrameOverhead;
    if (payload.size() > 255 || out.size() < length)
        return 0;
    out[0] = kFrameStart;
    out[1] = code;
    out[2] = static_cast<std::uint8_t>(payload.size());
    std::copy(payload.begin(), payload.end(), out.begin() + 3);
    const std::uint16_t crc = crc16(out.first(payload.size() + 3));
    out[payload.size() + 3] = static_cast<std::uint8_t>(crc >> 8);
    out[payload.size() + 4] = static_cast<std::uint8_t>(crc & 0xFF);
    return length;
}

bool frameCrcGood(std::span<const std::uint8_t> frame) {
    if (frame.size() < kFrameOverhead)
        return false;
    const std::size_t n = frame[2];
    if (frame.size() < n + kFrameOverhead)
        return false;
    const auto expected = static_cast<std::uint16_t>(frame[n + 3] << 8 | frame[n + 4]);
    return crc16(frame.first(n + 3)) == expected;
}

} // namespace interlock
