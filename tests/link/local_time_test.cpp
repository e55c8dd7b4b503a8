#include "link/local_time.h"
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
        // The first instant of summer time, and the hour repeated in autumn.
        EXPECT_EQ(localOffsetAt(utcTime(2017, 3, 12, 7, 0, 0)), -4 * 3600);
        EXPECT_EQ(localOffsetAt(utcTime(2017, 11, 5, 5, 30, 0)), -4 * 3600);
        EXPECT_EQ(localOffsetAt(utcTime(2017, 11, 5, 6, 30, 0)), -5 * 3600);
    }
    {
        ScopedTimeZone zone("NPT-5:45");
        EXPECT_EQ(localOffsetAt(utcTime(2017, 7, 5, 12, 0, 0)), 5 * 3600 + 45 * 60);
    }
}

TEST(LocalTime, ConversionCarriesAcrossDaysMonthsAndYears) {
    ScopedTimeZone zone("UTC0");
    EXPECT_EQ(utcToLocal({17, 3, 1, 2, 0, 0}, -5 * 3600), (LogStamp{17, 2, 28, 21, 0, 0}));
    EXPECT_EQ(utcToLocal({16, 2, 28, 20, 0, 59}, 4 * 3600 + 1), (LogStamp{16, 2, 29, 0, 1, 0}));
    EXPECT_EQ(utcToLocal({17, 6, 15, 12, 0, 0}, 0), (LogStamp{17, 6, 15, 12, 0, 0}));
}

TEST(LocalTime, StampsTakeTheOffsetOfTheirOwnInstant) {
    constexpr const char* kNewYork = "EST5EDT,M3.2.0,M11.1.0";
    // Southern hemisphere: summer time over the turn of the year.
    constexpr const char* kSydney = "AEST-10AEDT,M10.1.0,M4.1.0/3";
    struct Case {
        const char* zone;
        LogStamp utc;
        LogStamp local;
    };
    const Case cases[] = {
        {kNewYork, {17, 3, 12, 6, 59, 59}, {17, 3, 12, 1, 59, 59}},
        {kNewYork, {17, 3, 12, 7, 0, 0}, {17, 3, 12, 3, 0, 0}},
        {kNewYork, {17, 11, 5, 5, 59, 0}, {17, 11, 5, 1, 59, 0}},
        {kNewYork, {17, 11, 5, 6, 0, 0}, {17, 11, 5, 1, 0, 0}},
        {kNewYork, {17, 1, 1, 2, 0, 0}, {16, 12, 31, 21, 0, 0}},
        {kSydney, {16, 12, 31, 23, 30, 0}, {17, 1, 1, 10, 30, 0}},
        {kSydney, {17, 7, 1, 0, 0, 0}, {17, 7, 1, 10, 0, 0}},
        {"JST-9", {16, 12, 31, 23, 30, 0}, {17, 1, 1, 8, 30, 0}},
        // Fields out of range carry before the conversion.
        {"UTC0", {16, 12, 31, 24, 0, 0}, {17, 1, 1, 0, 0, 0}},
        {"UTC0", {17, 13, 1, 0, 0, 60}, {18, 1, 1, 0, 1, 0}},
        {"UTC0", {17, 2, 29, 0, 0, 0}, {17, 3, 1, 0, 0, 0}},
        {"UTC0", {17, 0, 0, 0, 0, 0}, {16, 11, 30, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        ScopedTimeZone zone{c.zone};
        EXPECT_EQ(localStampOf(c.utc), c.local) << c.zone << " " << c.utc.month << "/" << c.utc.day;
    }
}
