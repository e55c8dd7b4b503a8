#pragma once

#include <cstdint>
#include <span>

namespace interlock {

// CRC-16 with the reflected polynomial 0x8005 (table constant 0xA001), initial
// value 0xFFFF and no final XOR. Sent high byte first in every frame.
std::uint16_t crc16(std::span<const std::uint8_t> bytes);

} // namespace interlock
