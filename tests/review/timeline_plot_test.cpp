// The chart's arithmetic without a window: the time in view under zoom and pan,
// points to pixels and back, the event under the mouse, and the words for a screen
// reader.
#include "review/timeline_plot.h"
#include "review/timeline_range.h"
#include "review/wall_time.h"
#include "timeline_events.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace interlock;
using namespace interlock::review;

namespace {
using interlock::testing::eventAt;
const std::int64_t kStart = interlock::testing::kTimelineStart;
constexpr std::int64_t kDay = 86400;
} // namespace

TEST(TimelineRange, ShowsTheWholePeriodWithRoomAndStaysInsideIt) {
    TimelineRange range(kStart, kStart + 100 * kDay);
    // 2 % of the period on either side.
    EXPECT_EQ(range.from(), kStart - 2 * kDay);
    EXPECT_EQ(range.to(), kStart + 102 * kDay);
    EXPECT_EQ(TimelineRange(kStart, kStart).span(), 120) << "a minute either side of one event";

    range.show(kStart + 10, kStart + 20);
    EXPECT_EQ(range.span(), TimelineRange::kShortestSpan);
    EXPECT_EQ(range.from(), kStart + 10);
    range.show(kStart - 50 * kDay, kStart - 40 * kDay);
    EXPECT_EQ(range.from(), range.wholeFrom()) << "no time before the period";
    EXPECT_EQ(range.span(), 10 * kDay);
    range.show(kStart, kStart + 500 * kDay);
    EXPECT_EQ(range, TimelineRange(kStart, kStart + 100 * kDay));
}

TEST(TimelineRange, ZoomKeepsItsCentreWherePanningStopsAtTheEnds) {
    TimelineRange range(kStart, kStart + 100 * kDay);
    const std::int64_t around = kStart + 25 * kDay;
    const double share = static_cast<double>(around - range.from()) / range.span();
    range.zoomBy(0.5, around);
    EXPECT_EQ(range.span(), 52 * kDay);
    EXPECT_NEAR(static_cast<double>(around - range.from()) / range.span(), share, 1e-6);

    // Zooming in as far as it goes keeps the point in view.
    for (int i = 0; i < 100; ++i)
        range.zoomBy(0.5, around);
    EXPECT_EQ(range.span(), TimelineRange::kShortestSpan);
    EXPECT_TRUE(range.from() <= around && around <= range.to());

    range.show(kStart, kStart + 10 * kDay);
    range.panBy(-0.2);
    EXPECT_EQ(range.from(), kStart - 2 * kDay);
    range.panBy(-0.2);
    EXPECT_EQ(range.from(), range.wholeFrom()) << "stopped at the start, width kept";
    EXPECT_EQ(range.span(), 10 * kDay);
}

TEST(TimelineRange, RevealCentresOnlyWhatIsOutOfView) {
    TimelineRange range(kStart, kStart + 100 * kDay);
    range.show(kStart, kStart + 10 * kDay);
    range.reveal(kStart + 5 * kDay);
    EXPECT_EQ(range.from(), kStart);
    range.reveal(kStart + 50 * kDay);
    EXPECT_EQ(range.from(), kStart + 45 * kDay);
    EXPECT_EQ(range.span(), 10 * kDay);
    range.reveal(kStart + 101 * kDay);
    EXPECT_EQ(range.to(), range.wholeTo()) << "centred as far as the period goes";
}

TEST(TimelinePlot, MapsTimeRightwardsAndReadingsUpwardsBothWays) {
    ExportLog log;
    log.events = {eventAt(0, EventKind::TestPassed, 0.02f),
                  eventAt(600, EventKind::TestFailed, 0.08f), eventAt(300, EventKind::Power)};
    const Timeline timeline(log);
    const PlotRect area{50, 10, 600, 300};
    const TimelinePlot plot(timeline, area, kStart, kStart + 600);

    EXPECT_DOUBLE_EQ(plot.xOf(kStart), 50);
    EXPECT_DOUBLE_EQ(plot.xOf(kStart + 600), 650);
    EXPECT_DOUBLE_EQ(plot.yOf(timeline.top()), 10);
    EXPECT_DOUBLE_EQ(plot.yOf(timeline.bottom()), 310);
    EXPECT_LT(plot.yOf(0.08), plot.yOf(0.02));
    EXPECT_LT(plot.yOf(0), plot.yOf(timeline.laneY(TimelineSeries::Power)));
    EXPECT_DOUBLE_EQ(plot.secondsAt(plot.xOf(kStart + 123.5)), kStart + 123.5);
    EXPECT_NEAR(plot.valueAt(plot.yOf(0.05)), 0.05, 1e-12);
    EXPECT_DOUBLE_EQ(plot.secondsAcross(60), 60);

    EXPECT_EQ(plot.eventAt(plot.xOf(kStart + 300) + 4,
                           plot.yOf(timeline.laneY(TimelineSeries::Power)) - 4, 6),
              2u);
    // The first point sits on the plot's edge: half a marker outside is outside.
    EXPECT_EQ(plot.eventAt(plot.xOf(kStart), plot.yOf(0.02f), 6), 0u);
    EXPECT_EQ(plot.eventAt(plot.xOf(kStart) - 2, plot.yOf(0.02f), 6), std::nullopt);
}

// Zoomed in to a minute, a second is many pixels wide: the mouse is placed to the
// pixel, not to the second.
TEST(TimelinePlot, FindsAPointToThePixelWhenSecondsAreWide) {
    ExportLog log;
    log.events = {eventAt(30, EventKind::TestPassed, 0.02f)};
    const Timeline timeline(log);
    const TimelinePlot plot(timeline, PlotRect{0, 0, 1200, 300}, kStart, kStart + 60);
    const double x = plot.xOf(kStart + 30);
    const double y = plot.yOf(0.02f);
    EXPECT_EQ(plot.eventAt(x - 3, y, 6), 0u);
    EXPECT_EQ(plot.eventAt(x - 5.5, y, 6), 0u);
    EXPECT_EQ(plot.eventAt(x + 5.5, y, 6), 0u);
    EXPECT_EQ(plot.eventAt(x + 7, y, 6), std::nullopt);
    EXPECT_EQ(plot.eventAt(x - 7, y, 6), std::nullopt);
}

TEST(TimelinePlot, AFoldedPlotMapsWithoutDividingByZero) {
    ExportLog log;
    log.events = {eventAt(30, EventKind::TestPassed, 0.02f)};
    const Timeline timeline(log);
    const TimelinePlot plot(timeline, PlotRect{10, 10, 0, 0}, kStart, kStart + 60);
    EXPECT_TRUE(std::isfinite(plot.xOf(kStart + 30)));
    EXPECT_TRUE(std::isfinite(plot.valueAt(10)));
    EXPECT_EQ(plot.pointsToDraw(TimelineSeries::PassedTests, 3).size(), 1u);
}

TEST(TimelinePlot, TellsTheEventsOfEachSeriesInView) {
    ExportLog log;
    log.events = {eventAt(10, EventKind::TestPassed, 0.01f),
                  eventAt(70, EventKind::TestPassed, 0.01f),
                  eventAt(80, EventKind::TestFailed, 0.09f), eventAt(90, EventKind::Tampering),
                  eventAt(4000, EventKind::Power)};
    const Timeline timeline(log);
    const TimelinePlot plot(timeline, PlotRect{0, 0, 600, 300}, kStart + 60, kStart + 3660);
    EXPECT_EQ(plot.description(), "Tests passed 1, Tests failed 1, Violations 1, Power 0, "
                                  "Overrides 0, Calibrations 0, Other 0 "
                                  "from 2026-01-01 00:01 to 2026-01-01 01:01");
}
