#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <span>

namespace interlock {

// The receive ring: 65,536 bytes with 16-bit indices that wrap by themselves.
struct ReceiveRing {
    // The most unread bytes it holds: `pending` counts them in 16 bits.
    static constexpr std::size_t kCapacity = std::numeric_limits<std::uint16_t>::max();

    std::array<std::uint8_t, 65536> bytes{};
    std::uint16_t writeIndex = 0;
    std::uint16_t readIndex = 0;
    std::uint16_t pending = 0;
    std::uint8_t frameLength = 0;

    // Stores what of `chunk` there is room for, never over unread bytes; returns how
    // many bytes did not fit. Only a reader that stops reading (bytes of the firmware
    // loader with no page to take them) lets the ring fill.
    std::size_t append(std::span<const std::uint8_t> chunk) {
        const std::size_t taken = std::min(chunk.size(), kCapacity - pending);
        for (const std::uint8_t byte : chunk.first(taken))
            bytes[writeIndex++] = byte;
        pending = static_cast<std::uint16_t>(pending + taken);
        return chunk.size() - taken;
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
