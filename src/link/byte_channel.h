#pragma once

#include <cstdint>
#include <span>

namespace interlock {

// Where written frames go: the open serial channel, or a test's recorder.
class ByteChannel {
  public:
    virtual ~ByteChannel() = default;
    // Writes all bytes, in order, before returning.
    virtual void writeBytes(std::span<const std::uint8_t> bytes) = 0;
};

} // namespace interlock
