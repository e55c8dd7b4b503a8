#include "log/local_time.h"
#include "time_zone.h"

#include <gtest/gtest.h>

using namespace interlock;

TEST(LocalTime, OffsetFollowsTheTimeZoneAndItsDaylightSaving) {
    {
        ScopedTimeZone zone("JST-9");
        EXPECT_EQ(localTimeOffsetAt(utcTime(2017, 1, 5, 0, 7, 3)), 9 * 3600);
    }
    {
        ScopedTimeZone zone("EST5EDT,M3.2.0,M11.1.0");
        EXPECT_EQ(localTimeOffsetAt(utcTime(2017, 1, 5, 12, 0, 0)), -5 * 3600);
        EXPECT_EQ(localTimeOffsetAt(utcTime(2017, 7, 5, 12, 0, 0)), -4 * 3600);
    }
}

TEST(LocalTime, UtcStampOfTheClock) {
    EXPECT_EQ(utcStampAt(utcTime(2017, 1, 5, 0, 7, 3)), (LogStamp{17, 1, 5, 0, 7, 3}));
}

TEST(LocalTime, ConversionCarriesAcrossDaysMonthsAndYears) {
    ScopedTimeZone zone("UTC0");
    EXPECT_EQ(utcToLocal({16, 12, 31, 23, 30, 0}, 9 * 3600), (LogStamp{17, 1, 1, 8, 30, 0}));
    EXPECT_EQ(utcToLocal({17, 3, 1, 2, 0, 0}, -5 * 3600), (LogStamp{17, 2, 28, 21, 0, 0}));
    EXPECT_EQ(utcToLocal({16, 2, 28, 20, 0, 59}, 4 * 3600 + 1), (LogStamp{16, 2, 29, 0, 1, 0}));
    EXPECT_EQ(utcToLocal({17, 6, 15, 12, 0, 0}, 0), (LogStamp{17, 6, 15, 12, 0, 0}));
}
