#pragma once

#include "link/byte_channel.h"

#include <cstdint>
#include <vector>

namespace interlock::testing {

using Bytes = std::vector<std::uint8_t>;

// Keeps every write, one entry per call, so tests see frames exactly as sent.
class RecordingChannel : public ByteChannel {
  public:
    void writeBytes(std::span<const std::uint8_t> bytes) override {
        writes.emplace_back(bytes.begin(), bytes.end());
    }
    std::vector<Bytes> writes;
};

} // namespace interlock::testing
