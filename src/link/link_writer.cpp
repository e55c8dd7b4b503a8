#include "link/link_writer.h"

#include "link/trace.h"

namespace interlock {

void LinkWriter::send(std::uint8_t code, std::span<const std::uint8_t> payload) {
    if (!channel_)
        return;
    if (payload.size() > kMaxSendPayload) {
        trace("send frame 0x%x refused: payload %zu bytes\r\n", code, payload.size());
        return;
    }
    const std::size_t length = buildFrame(code, payload, transmit_);
    channel_->writeBytes(std::span<const std::uint8_t>(transmit_).first(length));
}

} // namespace interlock
