#include "review/timeline_plot.h"

#include "review/review_summary.h"
#include "review/wall_time.h"

#include <algorithm>

namespace interlock::review {

namespace {
// A plot folded to nothing still maps, onto a single pixel.
constexpr double kLeastSide = 1;
} // namespace

TimelinePlot::TimelinePlot(const Timeline& timeline, const PlotRect& area, std::int64_t from,
                           std::int64_t to)
    : timeline_(timeline), area_(area), from_(from), to_(std::max(to, from + 1)),
      secondsPerPixel_(static_cast<double>(to_ - from_) / std::max(area.width, kLeastSide)),
      valuePerPixel_((timeline.top() - timeline.bottom()) / std::max(area.height, kLeastSide)) {}

double TimelinePlot::xOf(double seconds) const {
    return area_.left + (seconds - static_cast<double>(from_)) / secondsPerPixel_;
}

double TimelinePlot::yOf(double value) const {
    return area_.bottom() - (value - timeline_.bottom()) / valuePerPixel_;
}

double TimelinePlot::secondsAt(double x) const {
    return static_cast<double>(from_) + (x - area_.left) * secondsPerPixel_;
}

double TimelinePlot::valueAt(double y) const {
    return timeline_.bottom() + (area_.bottom() - y) * valuePerPixel_;
}

std::optional<std::uint32_t> TimelinePlot::eventAt(double x, double y, double radius) const {
    if (!area_.contains(x, y))
        return std::nullopt;
    return timeline_.eventNear(secondsAt(x), valueAt(y), secondsPerPixel_, valuePerPixel_, radius);
}

std::vector<TimelinePoint> TimelinePlot::pointsToDraw(TimelineSeries series,
                                                      double columnWidth) const {
    const int columns = std::max(1, static_cast<int>(area_.width / columnWidth));
    return timeline_.pointsToDraw(series, from_, to_, columns);
}

std::string TimelinePlot::description() const {
    std::string text;
    for (int i = 0; i < kTimelineSeriesCount; ++i) {
        const auto series = static_cast<TimelineSeries>(i);
        text += (i == 0 ? "" : ", ") + std::string(seriesCaption(series)) + " " +
                std::to_string(timeline_.countBetween(series, from_, to_));
    }
    return text + " from " + stampText(wallStamp(from_), false) + " to " +
           stampText(wallStamp(to_), false);
}

} // namespace interlock::review
