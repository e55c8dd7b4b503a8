#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace interlock {

// A frame on the wire: 0x02, code, N, N payload bytes, CRC-16 high, CRC-16 low.
inline constexpr std::uint8_t kFrameStart = 0x02;
inline constexpr std::size_t kFrameOverhead = 5;
inline constexpr std::size_t kTransmitBufferSize = 256;
inline constexpr std::size_t kMaxSendPayload = kTransmitBufferSize - kFrameOverhead;

using TransmitBuffer = std::array<std::uint8_t, kTransmitBufferSize>;

// Builds a frame into `out` and returns its length, or 0 when the payload does not fit.
std::size_t buildFrame(std::uint8_t code, std::span<const std::uint8_t> payload,
                       std::span<std::uint8_t> out);

// True when the CRC behind the payload matches the first N + 3 bytes of `frame`.
// `frame` holds at least N + 5 bytes, N taken from its byte 2.
bool frameCrcGood(std::span<const std::uint8_t> frame);

} // namespace interlock
