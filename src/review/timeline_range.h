#pragma once

#include <cstdint>

namespace interlock::review {

// The time the timeline shows, in wall seconds: the whole period of the log with a
// little room on either side, or a part of it at least a minute wide. Every change
// keeps the range inside the whole period and keeps its width where it can.
class TimelineRange {
  public:
    static constexpr std::int64_t kShortestSpan = 60;

    // For events from `first` to `last`.
    TimelineRange(std::int64_t first, std::int64_t last);

    std::int64_t from() const { return from_; }
    std::int64_t to() const { return to_; }
    std::int64_t span() const { return to_ - from_; }
    std::int64_t wholeFrom() const { return wholeFrom_; }
    std::int64_t wholeTo() const { return wholeTo_; }

    void show(std::int64_t from, std::int64_t to);
    void showWhole() { show(wholeFrom_, wholeTo_); }
    // Narrows (factor below 1) or widens the range, keeping `around` in place.
    void zoomBy(double factor, std::int64_t around);
    // Moves the range by a share of its width; a negative share goes back in time.
    void panBy(double share);
    // Centres the range on `seconds` when it lies outside.
    void reveal(std::int64_t seconds);

    bool operator==(const TimelineRange&) const = default;

  private:
    std::int64_t wholeFrom_;
    std::int64_t wholeTo_;
    std::int64_t from_;
    std::int64_t to_;
};

} // namespace interlock::review
