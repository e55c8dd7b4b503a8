#include "review/timeline_range.h"

#include <algorithm>
#include <cmath>

namespace interlock::review {

namespace {
constexpr std::int64_t kLeastMargin = 60;
constexpr double kMarginShare = 0.02;

std::int64_t marginFor(std::int64_t first, std::int64_t last) {
    return std::max(kLeastMargin,
                    static_cast<std::int64_t>(kMarginShare * static_cast<double>(last - first)));
}

std::int64_t rounded(double value) {
    return static_cast<std::int64_t>(std::llround(value));
}
} // namespace

TimelineRange::TimelineRange(std::int64_t first, std::int64_t last)
    : wholeFrom_(first - marginFor(first, last)), wholeTo_(last + marginFor(first, last)),
      from_(wholeFrom_), to_(wholeTo_) {}

void TimelineRange::show(std::int64_t from, std::int64_t to) {
    // The margins make the whole period at least two minutes wide.
    const std::int64_t span = std::clamp(to - from, kShortestSpan, wholeTo_ - wholeFrom_);
    from_ = std::clamp(from, wholeFrom_, wholeTo_ - span);
    to_ = from_ + span;
}

void TimelineRange::zoomBy(double factor, std::int64_t around) {
    const auto scaled = [&](std::int64_t t) {
        return around + rounded(static_cast<double>(t - around) * factor);
    };
    show(scaled(from_), scaled(to_));
}

void TimelineRange::panBy(double share) {
    const std::int64_t step = rounded(static_cast<double>(span()) * share);
    show(from_ + step, to_ + step);
}

void TimelineRange::reveal(std::int64_t seconds) {
    if (seconds < from_ || seconds > to_)
        show(seconds - span() / 2, seconds - span() / 2 + span());
}

} // namespace interlock::review
