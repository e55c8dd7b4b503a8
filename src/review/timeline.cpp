#include "review/timeline.h"

#include "link/formatted.h"
#include "review/wall_time.h"

#include <algorithm>
#include <cmath>

namespace interlock::review {

namespace {
constexpr int kLaneCount = kTimelineSeriesCount - static_cast<int>(TimelineSeries::Violations);
// The lanes take this share of the reading axis' height each.
constexpr double kLaneShare = 1.0 / 8;
constexpr double kHeadroom = 1.1;
constexpr int kTicksWanted = 5;
// The top of a chart without readings above 0.
constexpr double kEmptyTop = 0.1;

TimelineSeries seriesFor(EventKind kind) {
    using enum EventKind;
    switch (kind) {
    case TestPassed:
    case RetestPassed:
        return TimelineSeries::PassedTests;
    case TestFailed:
    case RetestFailed:
        return TimelineSeries::FailedTests;
    case Power:
        return TimelineSeries::Power;
    case Override:
        return TimelineSeries::Overrides;
    case Calibration:
    case CalibrationFailed:
        return TimelineSeries::Calibrations;
    default:
        return isViolation(kind) ? TimelineSeries::Violations : TimelineSeries::Other;
    }
}

// 1, 2, 2.5 or 5 times a power of ten, at least `raw`.
double niceStep(double raw) {
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double mantissa : {1.0, 2.0, 2.5, 5.0}) {
        if (mantissa * power >= raw)
            return mantissa * power;
    }
    return 10 * power;
}

std::vector<ReadingTick> ticksUpTo(double top, double step) {
    // Enough decimals for the step: 0.025 needs three, 0.05 two, 50 none.
    int decimals = 0;
    while (decimals < 6 && std::abs(step * std::pow(10.0, decimals) -
                                    std::round(step * std::pow(10.0, decimals))) > 1e-9)
        ++decimals;
    std::vector<ReadingTick> ticks;
    for (int i = 0; i * step <= top * (1 + 1e-9); ++i)
        ticks.push_back({i * step, formatted("%.*f", decimals, i * step)});
    return ticks;
}

bool earlier(const TimelinePoint& a, const TimelinePoint& b) {
    return a.seconds < b.seconds;
}
} // namespace

std::string_view seriesCaption(TimelineSeries series) {
    switch (series) {
    case TimelineSeries::PassedTests:
        return "Tests passed";
    case TimelineSeries::FailedTests:
        return "Tests failed";
    case TimelineSeries::Violations:
        return "Violations";
    case TimelineSeries::Power:
        return "Power";
    case TimelineSeries::Overrides:
        return "Overrides";
    case TimelineSeries::Calibrations:
        return "Calibrations";
    case TimelineSeries::Other:
        return "Other";
    }
    return {};
}

Timeline::Timeline(const ExportLog& log) {
    double highest = 0;
    for (const ReviewEvent& event : log.events)
        highest = std::max(highest, static_cast<double>(event.reading.value_or(0)));
    const double raw = highest > 0 ? highest * kHeadroom : kEmptyTop;
    const double step = niceStep(raw / kTicksWanted);
    top_ = std::ceil(raw / step - 1e-9) * step;
    ticks_ = ticksUpTo(top_, step);
    laneStep_ = top_ * kLaneShare;

    const std::size_t count = log.events.size();
    places_.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        const ReviewEvent& event = log.events[i];
        const TimelineSeries series = seriesFor(event.kind);
        const double y = isBreathTest(event.kind) ? static_cast<double>(event.reading.value_or(0))
                                                  : laneY(series);
        const TimelinePoint point{wallSeconds(event.time), y, i};
        places_.push_back(point);
        points_[static_cast<std::size_t>(series)].push_back(point);
        if (i == 0 || point.seconds < first_)
            first_ = point.seconds;
        if (i == 0 || point.seconds > last_)
            last_ = point.seconds;
    }
    // A clock set back makes a log go back in time; the chart needs time order.
    for (auto& series : points_)
        std::stable_sort(series.begin(), series.end(), earlier);
}

double Timeline::bottom() const {
    return -(kLaneCount + 0.5) * laneStep_;
}

double Timeline::laneY(TimelineSeries lane) const {
    const int below = static_cast<int>(lane) - static_cast<int>(TimelineSeries::Violations) + 1;
    return -below * laneStep_;
}

std::span<const TimelinePoint> Timeline::between(TimelineSeries series, std::int64_t from,
                                                 std::int64_t to) const {
    const std::vector<TimelinePoint>& all = points(series);
    const auto begin = std::lower_bound(all.begin(), all.end(), TimelinePoint{from, 0, 0}, earlier);
    const auto end = std::upper_bound(begin, all.end(), TimelinePoint{to, 0, 0}, earlier);
    return {begin, end};
}

std::size_t Timeline::countBetween(TimelineSeries series, std::int64_t from,
                                   std::int64_t to) const {
    return between(series, from, to).size();
}

std::vector<TimelinePoint> Timeline::pointsToDraw(TimelineSeries series, std::int64_t from,
                                                  std::int64_t to, int columns) const {
    const std::span<const TimelinePoint> shown = between(series, from, to);
    const auto begin = shown.begin();
    const auto end = shown.end();
    if (static_cast<std::size_t>(end - begin) <= kMostPointsDrawn || columns <= 0 || to <= from)
        return {begin, end};

    // The lowest and highest point of each column, in time order.
    std::vector<TimelinePoint> drawn;
    // Seconds from..to, both included, fall on columns 0..columns - 1.
    const double columnsPerSecond =
        static_cast<double>(columns) / static_cast<double>(to - from + 1);
    auto columnOf = [&](const TimelinePoint& p) {
        return static_cast<std::int64_t>(static_cast<double>(p.seconds - from) * columnsPerSecond);
    };
    for (auto it = begin; it != end;) {
        const std::int64_t column = columnOf(*it);
        const TimelinePoint* lowest = &*it;
        const TimelinePoint* highest = &*it;
        for (; it != end && columnOf(*it) == column; ++it) {
            if (it->y < lowest->y)
                lowest = &*it;
            if (it->y > highest->y)
                highest = &*it;
        }
        drawn.push_back(*std::min(lowest, highest));
        if (lowest != highest)
            drawn.push_back(*std::max(lowest, highest));
    }
    return drawn;
}

std::optional<std::uint32_t> Timeline::eventNear(double seconds, double y, double secondsPerPixel,
                                                 double yPerPixel, double radius) const {
    std::optional<std::uint32_t> nearest;
    double best = radius * radius;
    const double reach = radius * secondsPerPixel;
    const auto from = static_cast<std::int64_t>(std::floor(seconds - reach));
    const auto to = static_cast<std::int64_t>(std::ceil(seconds + reach));
    for (int series = 0; series < kTimelineSeriesCount; ++series) {
        for (const TimelinePoint& point : between(static_cast<TimelineSeries>(series), from, to)) {
            const double dx = (static_cast<double>(point.seconds) - seconds) / secondsPerPixel;
            const double dy = (point.y - y) / yPerPixel;
            const double distance = dx * dx + dy * dy;
            if (distance <= best) {
                best = distance;
                nearest = point.event;
            }
        }
    }
    return nearest;
}

} // namespace interlock::review
