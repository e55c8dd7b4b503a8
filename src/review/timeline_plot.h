#pragma once

#include "review/timeline.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace interlock::review {

// A rectangle in pixels, y growing downwards.
struct PlotRect {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;

    double right() const { return left + width; }
    double bottom() const { return top + height; }
    bool contains(double x, double y) const {
        return x >= left && x <= right() && y >= top && y <= bottom();
    }
};

// The timeline between `from` and `to` on a plot rectangle: time runs left to right,
// the readings upwards from 0, the lanes below them. Maps both ways between points
// and pixels and finds the event under a pixel.
class TimelinePlot {
  public:
    TimelinePlot(const Timeline& timeline, const PlotRect& area, std::int64_t from,
                 std::int64_t to);

    const PlotRect& area() const { return area_; }
    std::int64_t from() const { return from_; }
    std::int64_t to() const { return to_; }

    double xOf(double seconds) const;
    double yOf(double value) const;
    double secondsAt(double x) const;
    double valueAt(double y) const;
    // Seconds a stretch of `pixels` stands for.
    double secondsAcross(double pixels) const { return pixels * secondsPerPixel_; }

    // The event whose point lies within `radius` pixels of (x, y), the nearest one
    // when several do; none outside the plot.
    std::optional<std::uint32_t> eventAt(double x, double y, double radius) const;
    // The points of a series to draw, one column of `columnWidth` pixels holding
    // the lowest and the highest when there are more than can be told apart.
    std::vector<TimelinePoint> pointsToDraw(TimelineSeries series, double columnWidth) const;
    // What the plot shows, in words: the events of each series and the time in view.
    std::string description() const;

  private:
    const Timeline& timeline_;
    PlotRect area_;
    std::int64_t from_;
    std::int64_t to_;
    double secondsPerPixel_;
    double valuePerPixel_;
};

} // namespace interlock::review
