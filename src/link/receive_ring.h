#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace interlock {

// The receive ring: 65,536 bytes with 16-bit indices that wrap by themselves.
struct ReceiveRing {
    std::array<std::uint8_t, 65536> bytes{};
    std::uint16_t writeIndex = 0;
    std::uint16_t readIndex = 0;
    std::uint16_t pending = 0;
    std::uint8_t frameLength = 0;

    void append(std::span<const std::uint8_t> chunk) {
        for (const std::uint8_t byte : chunk)
            bytes[writeIndex++] = byte;
        pending = static_cast<std::uint16_t>(pending + chunk.size());
    }
    std::uint8_t at(std::uint16_t offsetFromRead) const {
        return bytes[static_cast<std::uint16_t>(readIndex + offsetFromRead)];
    }
    bool hasUnconsumed() const { return writeIndex != readIndex || pending > 0; }
    void clear() { writeIndex = readIndex = pending = 0; }
    void consume(std::uint16_t count) {
        readIndex = static_cast<std::uint16_t>(readIndex + count);
        pending = static_cast<std::uint16_t>(pending - count);
        if (pending == 0)
            writeIndex = readIndex = 0;
    }
};

} // namespace interlock
