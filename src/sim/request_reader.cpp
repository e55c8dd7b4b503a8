#include "sim/request_reader.h"

#include "link/frame.h"

#include <algorithm>

namespace interlock::sim {

std::vector<Request> RequestReader::feed(std::span<const std::uint8_t> bytes, SimTime now) {
    if (!pending_.empty() && now - lastByte_ > kPartialTimeout)
        pending_.clear();
    if (!bytes.empty())
        lastByte_ = now;
    pending_.insert(pending_.end(), bytes.begin(), bytes.end());

    std::vector<Request> requests;
    std::size_t at = 0;
    while (at < pending_.size()) {
        if (pending_[at] != kFrameStart) {
            ++at;
            continue;
        }
        if (pending_.size() - at < 3)
            break;
        const std::size_t length = pending_[at + 2] + kFrameOverhead;
        if (pending_.size() - at < length)
            break;
        const std::span<const std::uint8_t> frame(pending_.data() + at, length);
        requests.push_back(
            Request{frame[1], {frame.begin() + 3, frame.end() - 2}, frameCrcGood(frame)});
        at += length;
    }
    pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(at));
    return requests;
}

} // namespace interlock::sim
