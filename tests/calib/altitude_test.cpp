#include "calib/altitude.h"
#include "link_fixture.h"

#include <gtest/gtest.h>

namespace interlock {
namespace {

TEST(Altitude, PressureIsTruncatedNotRounded) {
    const std::vector<std::pair<int, int>> table{{0, 1013},   {1, 1013},   {100, 1001},
                                                 {1000, 898}, {2000, 794}, {5000, 540},
                                                 {8848, 314}, {9999, 264}};
    for (const auto& [metres, hPa] : table)
        EXPECT_EQ(pressureAt(metres), hPa) << metres << " m";
}

TEST(Altitude, BoxIsEmptiedByAnythingButDigits) {
    testing::TraceCapture traces;
    const std::vector<std::pair<std::string, std::string>> cases{
        {"1200", "1200"}, {"", ""},        {"12a", ""}, {"-5", ""},
        {"1.5", ""},      {" 15", ""},     {"+3", ""},  {std::string("1\0", 2), ""},
        {"0000", "0000"}, {"\xd9\xa3", ""}};
    for (const auto& [typed, kept] : cases)
        EXPECT_EQ(altitudeTyped(typed), kept) << typed;
    EXPECT_EQ(traces.count("input numeric\r\n"), 7);
    EXPECT_TRUE(traces.has("Altitude Change 1200\r\n"));
    EXPECT_EQ(traces.count("Altitude Change \r\n"), 8);
}

TEST(Altitude, ManyDigitsStayAboveTheLimitInsteadOfWrapping) {
    EXPECT_EQ(altitudeMetres(""), 0);
    EXPECT_EQ(altitudeMetres("0042"), 42);
    EXPECT_EQ(altitudeMetres("9999"), 9999);
    EXPECT_GT(altitudeMetres("10000"), kHighestAltitude);
    EXPECT_GT(altitudeMetres("4294967296"), kHighestAltitude); // 2^32
    EXPECT_GT(altitudeMetres(std::string(5000, '9')), kHighestAltitude);
}

} // namespace
} // namespace interlock
