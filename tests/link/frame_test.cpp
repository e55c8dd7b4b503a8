#include "link/crc16.h"
#include "link/frame.h"

#include <gtest/gtest.h>

#include <vector>

using namespace interlock;

TEST(Crc16, EmptyInputIsInitialValue) { EXPECT_EQ(crc16({}), 0xFFFF); }

TEST(Frame, ReadInfoRequestWithoutPayload) {
    std::array<std::uint8_t, 16> out{};
    ASSERT_EQ(buildFrame(0x46, {}, out), 5u);
    EXPECT_EQ(std::vector<std::uint8_t>(out.begin(), out.begin() + 5),
              (std::vector<std::uint8_t>{0x02, 0x46, 0x00, 0x60, 0xE2}));
    EXPECT_TRUE(frameCrcGood(std::span<const std::uint8_t>(out).first(5)));
}
