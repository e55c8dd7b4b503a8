#pragma once

#include "review/export_log.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace interlock::review {

// The series of the timeline chart: breath test readings, and a lane of marks for
// each group of other events.
enum class TimelineSeries : std::uint8_t {
    PassedTests,
    FailedTests,
    Violations,
    Power,
    Overrides,
    Calibrations,
    Other,
};
inline constexpr int kTimelineSeriesCount = static_cast<int>(TimelineSeries::Other) + 1;
std::string_view seriesCaption(TimelineSeries series);

// An event's place on the chart: x in wall seconds (see wallSeconds), y the
// reading or the height of its lane.
struct TimelinePoint {
    std::int64_t seconds = 0;
    double y = 0;
    std::uint32_t event = 0;
};

// A tick of the reading axis.
struct ReadingTick {
    double y;
    std::string label;
};

// The timeline of one log: readings from 0 up, the lanes below 0.
class Timeline {
  public:
    // A series with no more points than this in view is drawn point for point.
    static constexpr std::size_t kMostPointsDrawn = 2000;

    explicit Timeline(const ExportLog& log);

    // The points of a series in time order.
    const std::vector<TimelinePoint>& points(TimelineSeries series) const {
        return points_[static_cast<std::size_t>(series)];
    }
    const TimelinePoint& pointOf(std::uint32_t event) const { return places_[event]; }

    std::int64_t firstSeconds() const { return first_; }
    std::int64_t lastSeconds() const { return last_; }
    // The y range: the lanes at the bottom, the readings above.
    double bottom() const;
    double top() const { return top_; }
    double laneY(TimelineSeries lane) const;
    const std::vector<ReadingTick>& readingTicks() const { return ticks_; }

    // What to draw of a series between `from` and `to` on a plot `columns` pixels
    // wide: every point when there are few, else the lowest and the highest point
    // of each pixel column, which look the same.
    std::vector<TimelinePoint> pointsToDraw(TimelineSeries series, std::int64_t from,
                                            std::int64_t to, int columns) const;

    // How many points of a series lie between `from` and `to`, both included.
    std::size_t countBetween(TimelineSeries series, std::int64_t from, std::int64_t to) const;

    // The event whose point lies nearest to (seconds, y) and within `radius`
    // pixels, given the size of a pixel in seconds and in y.
    std::optional<std::uint32_t> eventNear(double seconds, double y, double secondsPerPixel,
                                           double yPerPixel, double radius) const;

  private:
    std::span<const TimelinePoint> between(TimelineSeries series, std::int64_t from,
                                           std::int64_t to) const;

    std::array<std::vector<TimelinePoint>, kTimelineSeriesCount> points_;
    std::vector<TimelinePoint> places_; // by event
    std::vector<ReadingTick> ticks_;
    double top_ = 1;
    double laneStep_ = 1;
    std::int64_t first_ = 0;
    std::int64_t last_ = 0;
};

} // namespace interlock::review
