#include "link/crc16.h"

#include <array>

namespace interlock {

namespace {
constexpr std::array<std::uint16_t, 256> makeTable() {
    std::array<std::uint16_t, 256> table{};
    for (std::uint16_t i = 0; i < 256; ++i) {
        std::uint16_t value = i;
        for (int bit = 0; bit < 8; ++bit)
            value = (value & 1) ? static_cast<std::uint16_t>((value >> 1) ^ 0xA001) : value >> 1;
        table[i] = value;
    }
    return table;
}
constexpr auto kTable = makeTable();
static_assert(kTable[1] == 0xC0C1 && kTable[2] == 0xC181 && kTable[3] == 0x0140);
} // namespace

std::uint16_t crc16(std::span<const std::uint8_t> bytes) {
    std::uint16_t crc = 0xFFFF;
    for (const std::uint8_t byte : bytes)
        crc = static_cast<std::uint16_t>((crc >> 8) ^ kTable[(crc ^ byte) & 0xFF]);
    return crc;
}

} // namespace interlock
