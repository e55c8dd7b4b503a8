// The time axis' ticks: round times in the wall clock's own calendar, as many as fit.
#include "review/time_ticks.h"
#include "review/wall_time.h"

#include <gtest/gtest.h>

using namespace interlock;
using namespace interlock::review;

namespace {
std::int64_t at(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    return wallSeconds({year - kStampYearBase, month, day, hour, minute, second});
}

std::vector<std::string> labelsOf(const std::vector<TimeTick>& ticks) {
    std::vector<std::string> labels;
    for (const TimeTick& tick : ticks)
        labels.push_back(tick.label);
    return labels;
}

// Every tick lies in the range, in order, no more than asked for.
void expectWithin(const std::vector<TimeTick>& ticks, std::int64_t from, std::int64_t to,
                  int most) {
    EXPECT_LE(ticks.size(), static_cast<std::size_t>(most));
    for (std::size_t i = 0; i < ticks.size(); ++i) {
        EXPECT_GE(ticks[i].seconds, from);
        EXPECT_LE(ticks[i].seconds, to);
        if (i > 0) {
            EXPECT_GT(ticks[i].seconds, ticks[i - 1].seconds);
        }
    }
}
} // namespace

TEST(WallTime, StampIsTheInverseOfSecondsAcrossLeapYearsAndBefore2000) {
    for (const std::int64_t seconds :
         {at(2000, 1, 1), at(1999, 12, 31, 23, 59, 59), at(2000, 2, 29, 12), at(2024, 2, 29),
          at(2024, 3, 1), at(2100, 2, 28, 23, 0, 1), at(2100, 3, 1), at(1970, 1, 1, 0, 0, 1),
          at(2026, 10, 25, 0, 40, 37)}) {
        const LogStamp stamp = wallStamp(seconds);
        EXPECT_EQ(wallSeconds(stamp), seconds);
        EXPECT_TRUE(stamp.month >= 1 && stamp.month <= 12 && stamp.day >= 1 && stamp.day <= 31 &&
                    stamp.hour < 24 && stamp.minute < 60 && stamp.second < 60);
    }
    EXPECT_EQ(wallStamp(at(2100, 2, 28) + 86400), (LogStamp{100, 3, 1, 0, 0, 0}));
    EXPECT_EQ(wallStamp(-1), (LogStamp{-1, 12, 31, 23, 59, 59}));
}

TEST(TimeTicks, FallOnRoundSecondsMinutesAndHours) {
    const std::int64_t noon = at(2026, 3, 1, 12, 0, 0);
    EXPECT_EQ(labelsOf(timeTicks(noon + 3, noon + 23, 5)),
              (std::vector<std::string>{"12:00:05", "12:00:10", "12:00:15", "12:00:20"}));
    EXPECT_EQ(labelsOf(timeTicks(noon + 200, noon + 800, 6)),
              (std::vector<std::string>{"12:04", "12:06", "12:08", "12:10", "12:12"}));
    // Hours carry their day; they run on across midnight, before 2000 too.
    const std::int64_t evening = at(1999, 12, 31, 17, 10);
    EXPECT_EQ(labelsOf(timeTicks(evening, evening + 14 * 3600, 3)),
              (std::vector<std::string>{"12-31 18:00", "01-01 00:00", "01-01 06:00"}));
}

TEST(TimeTicks, FallOnMidnightsMondaysMonthsAndYears) {
    // The two months of a log: weeks from Monday.
    const std::int64_t from = at(2026, 9, 1, 10, 14, 41);
    const std::int64_t to = at(2026, 10, 25, 0, 40, 37);
    EXPECT_EQ(labelsOf(timeTicks(from, to, 8)),
              (std::vector<std::string>{"2026-09-07", "2026-09-14", "2026-09-21", "2026-09-28",
                                        "2026-10-05", "2026-10-12", "2026-10-19"}));
    EXPECT_EQ(labelsOf(timeTicks(from, from + 3 * 86400, 4)),
              (std::vector<std::string>{"2026-09-02", "2026-09-03", "2026-09-04"}));

    // Months start on their first day, whatever their length; then whole years.
    EXPECT_EQ(labelsOf(timeTicks(at(2024, 1, 15), at(2026, 12, 31), 6)),
              (std::vector<std::string>{"2024-07", "2025-01", "2025-07", "2026-01", "2026-07"}));
    EXPECT_EQ(wallStamp(timeTicks(at(2024, 1, 30), at(2024, 4, 30), 3)[0].seconds),
              (LogStamp{24, 2, 1, 0, 0, 0}));
    EXPECT_EQ(labelsOf(timeTicks(at(1995, 6, 1), at(2041, 1, 1), 5)),
              (std::vector<std::string>{"2000", "2010", "2020", "2030", "2040"}));
}

TEST(TimeTicks, NeverMoreThanFitAndNoneForAnEmptyRange) {
    const std::int64_t from = at(2026, 1, 1, 6);
    for (const std::int64_t span : {59LL, 3600LL, 86399LL, 40LL * 86400, 3000LL * 86400}) {
        for (const int most : {1, 2, 7, 13}) {
            SCOPED_TRACE(std::to_string(span) + " s, " + std::to_string(most));
            expectWithin(timeTicks(from, from + span, most), from, from + span, most);
        }
    }
    EXPECT_TRUE(timeTicks(from, from - 1, 5).empty());
    EXPECT_EQ(timeTicks(from, from + 10, 0).size(), 1u) << "a tick at 06:00:00 even when cramped";
}
