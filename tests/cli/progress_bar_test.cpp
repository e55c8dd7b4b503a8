#include "cli/progress_bar.h"

#include <gtest/gtest.h>

using namespace interlock::cli;
using std::chrono::duration;

TEST(ProgressLineTest, BarShareBytesAndTimeLeftAtTheRateSoFar) {
    EXPECT_EQ(progressLine(100020, 200040, duration<double>(8.7)),
              "[###############...............]  50%  100020 of 200040 bytes  0:09 left");
    EXPECT_EQ(progressLine(200040, 200040, duration<double>(17.4)),
              "[##############################] 100%  200040 of 200040 bytes  0:00 left");
    // A rate from the first moments of a read says little: no time is guessed yet.
    EXPECT_EQ(progressLine(0, 200040, duration<double>(3)),
              "[..............................]   0%  0 of 200040 bytes  -:-- left");
    EXPECT_EQ(progressLine(500, 200040, duration<double>(0.1)),
              "[..............................]   0%  500 of 200040 bytes  -:-- left");
    // More than the length (bytes after the total) is shown as all of it.
    EXPECT_EQ(progressLine(9, 4, duration<double>(1)),
              "[##############################] 100%  4 of 4 bytes  0:00 left");
    EXPECT_EQ(progressLine(11520, 1382400, duration<double>(1)).substr(32),
              "   0%  11520 of 1382400 bytes  1:59 left");
}
