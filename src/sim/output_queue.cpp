#include "sim/output_queue.h"

#include <algorithm>
#include <cmath>

namespace interlock::sim {

void OutputQueue::schedule(SimTime at, std::vector<std::uint8_t> bytes, int tag) {
    scheduled_.emplace(at, Piece{std::move(bytes), tag});
}

void OutputQueue::cancel(int tag) {
    std::erase_if(scheduled_, [tag](const auto& entry) { return entry.second.tag == tag; });
}

void OutputQueue::moveDue(SimTime upTo) {
    while (!scheduled_.empty() && scheduled_.begin()->first <= upTo) {
        const auto entry = scheduled_.begin();
        if (wire_.empty())
            wireClock_ = std::max(wireClock_, double(entry->first.count()));
        wire_.insert(wire_.end(), entry->second.bytes.begin(), entry->second.bytes.end());
        scheduled_.erase(entry);
    }
}

std::vector<std::uint8_t> OutputQueue::take(SimTime now) {
    std::vector<std::uint8_t> out;
    if (bytesPerSecond_ <= 0) {
        moveDue(now);
        out.assign(wire_.begin(), wire_.end());
        wire_.clear();
        return out;
    }
    for (;;) {
        if (wire_.empty()) {
            if (scheduled_.empty() || scheduled_.begin()->first > now)
                break;
            moveDue(scheduled_.begin()->first);
            continue;
        }
        const double leaves = wireClock_ + byteMicros();
        if (leaves > double(now.count()))
            break;
        out.push_back(wire_.front());
        wire_.pop_front();
        wireClock_ = leaves;
        moveDue(SimTime(static_cast<std::int64_t>(wireClock_)));
    }
    return out;
}

std::optional<SimTime> OutputQueue::nextDue() const {
    if (!wire_.empty()) {
        if (bytesPerSecond_ <= 0)
            return SimTime(0);
        return SimTime(static_cast<std::int64_t>(std::ceil(wireClock_ + byteMicros())));
    }
    if (scheduled_.empty())
        return std::nullopt;
    return scheduled_.begin()->first;
}

} // namespace interlock::sim
