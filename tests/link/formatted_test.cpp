#include "link/formatted.h"

#include <gtest/gtest.h>

#include <string>

using namespace interlock;

TEST(Formatted, PiecesOfAnyLengthComeOutWhole) {
    EXPECT_EQ(formatted("%s", ""), "");
    EXPECT_EQ(formatted("%d :\t %d / %02d", 5, 17, 3), "5 :\t 17 / 03");
    for (const std::size_t length : {254u, 255u, 256u, 257u, 4000u}) {
        const std::string text(length, 'x');
        EXPECT_EQ(formatted("%s|%d", text.c_str(), 7), text + "|7") << length;
    }
}
