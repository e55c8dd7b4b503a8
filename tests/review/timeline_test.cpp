// The timeline's data: points by series, thinning for the plot, the point under
// the mouse, and the wall-clock times of printed stamps.
#include "review/timeline.h"
#include "review/wall_time.h"
#include "timeline_events.h"

#include <gtest/gtest.h>

using namespace interlock;
using namespace interlock::review;

namespace {
using interlock::testing::eventAt;
const std::int64_t kStart = interlock::testing::kTimelineStart;
} // namespace

TEST(WallTime, CarriesFieldsOutOfRangeLikeACalendar) {
    EXPECT_EQ(wallSeconds({0, 1, 1, 0, 0, 0}), 0);
    EXPECT_EQ(wallSeconds({-1, 12, 31, 23, 0, 0}), -3600);
    EXPECT_EQ(wallSeconds({26, 13, 1, 0, 0, 0}), wallSeconds({27, 1, 1, 0, 0, 0}));
    EXPECT_EQ(wallSeconds({24, 3, 0, 0, 0, 0}), wallSeconds({24, 2, 29, 0, 0, 0}));
    EXPECT_EQ(wallSeconds({26, 0, 1, 0, 0, 0}), wallSeconds({25, 12, 1, 0, 0, 0}));
    EXPECT_EQ(wallSeconds({26, 1, 1, 25, 61, 0}), wallSeconds({26, 1, 2, 2, 1, 0}));
    EXPECT_EQ(wallSeconds({17, 1, 5, 9, 7, 3}) + kWallEpochAfter1970, 1483607223);
}

TEST(Timeline, PutsTestsByReadingAndOtherEventsOnTheirLanesInTimeOrder) {
    ExportLog log;
    log.events = {eventAt(50, EventKind::TestPassed, 0.01f),
                  eventAt(10, EventKind::TestFailed, 0.09f),
                  eventAt(30, EventKind::Tampering),
                  eventAt(20, EventKind::RetestMissed),
                  eventAt(40, EventKind::Power),
                  eventAt(60, EventKind::Unknown)};
    const Timeline timeline(log);
    EXPECT_EQ(timeline.points(TimelineSeries::PassedTests).size(), 1u);
    EXPECT_EQ(timeline.points(TimelineSeries::FailedTests).size(), 1u);
    const auto& violations = timeline.points(TimelineSeries::Violations);
    ASSERT_EQ(violations.size(), 2u);
    EXPECT_EQ(violations[0].event, 3u) << "sorted by time, not by line";
    EXPECT_EQ(violations[1].event, 2u);
    EXPECT_EQ(timeline.points(TimelineSeries::Other).size(), 1u);
    EXPECT_EQ(timeline.firstSeconds(), kStart + 10);
    EXPECT_EQ(timeline.lastSeconds(), kStart + 60);

    // Readings from 0 up to a round top; lanes below 0, each on its own height.
    EXPECT_DOUBLE_EQ(timeline.pointOf(1).y, 0.09f);
    EXPECT_GE(timeline.top(), 0.09);
    std::vector<std::string> labels;
    for (const ReadingTick& tick : timeline.readingTicks())
        labels.push_back(tick.label);
    EXPECT_EQ(labels, (std::vector<std::string>{"0.00", "0.02", "0.04", "0.06", "0.08", "0.10"}));
    EXPECT_LT(timeline.laneY(TimelineSeries::Power), timeline.laneY(TimelineSeries::Violations));
    EXPECT_LT(timeline.laneY(TimelineSeries::Violations), 0);
    EXPECT_LT(timeline.bottom(), timeline.laneY(TimelineSeries::Other));
}

TEST(Timeline, DrawsFewPointsAllAndManyAsTheExtremesOfEachColumn) {
    ExportLog log;
    for (int i = 0; i < 10000; ++i)
        log.events.push_back(eventAt(i, EventKind::TestPassed, static_cast<float>(i % 97) / 1000));
    log.events[5000].reading = 0.5f;
    const Timeline timeline(log);

    const auto few =
        timeline.pointsToDraw(TimelineSeries::PassedTests, kStart + 100, kStart + 199, 800);
    ASSERT_EQ(few.size(), 100u);
    EXPECT_EQ(few.front().event, 100u);
    EXPECT_EQ(few.back().event, 199u);

    const auto many =
        timeline.pointsToDraw(TimelineSeries::PassedTests, kStart, kStart + 9999, 100);
    EXPECT_LE(many.size(), 200u);
    EXPECT_GE(many.size(), 100u);
    EXPECT_TRUE(std::any_of(many.begin(), many.end(), [](const auto& p) {
        return p.event == 5000;
    })) << "the highest reading stays in view";
    EXPECT_TRUE(std::is_sorted(many.begin(), many.end(),
                               [](const auto& a, const auto& b) { return a.seconds < b.seconds; }));
    EXPECT_TRUE(
        timeline.pointsToDraw(TimelineSeries::FailedTests, kStart, kStart + 9999, 100).empty());
}

TEST(Timeline, FindsTheEventUnderTheMouseWithinItsRadius) {
    ExportLog log;
    log.events = {eventAt(100, EventKind::TestPassed, 0.02f),
                  eventAt(110, EventKind::TestFailed, 0.08f), eventAt(105, EventKind::Power)};
    const Timeline timeline(log);
    // One pixel is one second wide and 0.001 high; the radius is 6 pixels.
    const auto near = [&](std::int64_t seconds, double y) {
        return timeline.eventNear(kStart + seconds, y, 1.0, 0.001, 6);
    };
    EXPECT_EQ(near(103, 0.021), 0u);
    EXPECT_EQ(near(108, 0.078), 1u);
    EXPECT_EQ(near(105, timeline.laneY(TimelineSeries::Power)), 2u);
    EXPECT_EQ(near(100, 0.05), std::nullopt);
    EXPECT_EQ(near(120, 0.08), std::nullopt);
}
