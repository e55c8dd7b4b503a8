#include "link_fixture.h"

namespace interlock::testing {

int TraceCapture::count(std::string_view needle) const {
    int found = 0;
    for (auto at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1))
        ++found;
    return found;
}

void FakeDispatcherHost::runScheduled() {
    auto tasks = std::move(scheduled);
    scheduled.clear();
    for (auto& item : tasks)
        item.task();
}

Bytes frameOf(std::uint8_t code, const Bytes& payload) {
    Bytes frame(payload.size() + kFrameOverhead);
    frame.resize(buildFrame(code, payload, frame));
    return frame;
}

Bytes withBadCrc(Bytes frame) {
    frame.back() ^= 0x5A;
    return frame;
}

Bytes concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

Bytes counting(std::size_t size, std::uint8_t first) {
    Bytes bytes(size);
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<std::uint8_t>(first + i);
    return bytes;
}

} // namespace interlock::testing
