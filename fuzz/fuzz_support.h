#pragma once

#include "link/byte_channel.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace interlock::fuzz {

// Frames the code under test writes go nowhere.
class DiscardingChannel : public ByteChannel {
  public:
    void writeBytes(std::span<const std::uint8_t>) override {}
};

// Hands a stream over in reads of varying size, as a serial port delivers it: the
// sizes cycle through a pattern picked by `pattern`, so the same input always
// gives the same reads.
template <typename Feed>
void inReads(std::span<const std::uint8_t> stream, std::uint8_t pattern, Feed&& feed) {
    static constexpr std::size_t kSizes[] = {1, 2, 3, 5, 7, 10, 16, 64, 255, 512, 4095, 5000};
    constexpr std::size_t kCount = sizeof kSizes / sizeof kSizes[0];
    for (std::size_t turn = pattern; !stream.empty(); turn += 1 + pattern / kCount) {
        const std::size_t size = std::min(stream.size(), kSizes[turn % kCount]);
        feed(stream.first(size));
        stream = stream.subspan(size);
    }
}

} // namespace interlock::fuzz
