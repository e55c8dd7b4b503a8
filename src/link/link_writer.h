#pragma once

#include "link/byte_channel.h"
#include "link/frame.h"

namespace interlock {

// The channel in use and the transmit frame buffer. Every request goes out here.
class LinkWriter {
  public:
    void setChannel(ByteChannel* channel) { channel_ = channel; }
    ByteChannel* channel() const { return channel_; }

    // Frames `payload` with `code` and writes it whole. Without a channel in use, or
    // with a payload longer than the transmit buffer allows, nothing is written.
    void send(std::uint8_t code, std::span<const std::uint8_t> payload = {});

  private:
    ByteChannel* channel_ = nullptr;
    TransmitBuffer transmit_{};
};

} // namespace interlock
