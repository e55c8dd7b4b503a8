#include "link/crc16.h"
#include "link/frame.h"
#include "link/link_writer.h"
#include "link_fixture.h"

#include <gtest/gtest.h>

#include <string_view>

using namespace interlock;
using namespace interlock::testing;

namespace {
Bytes ascii(std::string_view text) {
    return Bytes(text.begin(), text.end());
}
} // namespace

TEST(Crc16, MatchesModbusParameters) {
    EXPECT_EQ(crc16({}), 0xFFFF);
    // The MODBUS check value over "123456789".
    EXPECT_EQ(crc16(ascii("123456789")), 0x4B37);
}

TEST(Frame, LengthFollowsTheCodeAndTheCrcGoesHighByteFirst) {
    const std::pair<Bytes, Bytes> cases[] = {{{}, {0x02, 0x46, 0x00, 0x60, 0xE2}},
                                             {{0x01}, {0x02, 0x46, 0x01, 0x01, 0x19, 0x20}}};
    for (const auto& [payload, wire] : cases) {
        std::array<std::uint8_t, 16> out{};
        ASSERT_EQ(buildFrame(0x46, payload, out), wire.size());
        EXPECT_EQ(Bytes(out.begin(), out.begin() + wire.size()), wire);
        EXPECT_TRUE(frameCrcGood(wire));
    }
}

TEST(Frame, CrcCheckRejectsAnyDamagedByte) {
    const Bytes good = frameOf(0x62, counting(10));
    ASSERT_TRUE(frameCrcGood(good));
    for (std::size_t i = 1; i < good.size(); ++i) {
        Bytes damaged = good;
        damaged[i] ^= 0x01;
        EXPECT_FALSE(frameCrcGood(damaged)) << "byte " << i;
    }
    EXPECT_FALSE(frameCrcGood(Bytes(good.begin(), good.end() - 1))) << "truncated frame";
}

TEST(LinkWriter, PayloadOfTheFullBufferIsSentLongerIsRefused) {
    TraceCapture traces;
    RecordingChannel channel;
    LinkWriter link;
    link.setChannel(&channel);
    link.send(0x85, Bytes(251, 0xAA));
    ASSERT_EQ(channel.writes.size(), 1u);
    EXPECT_EQ(channel.writes[0].size(), 256u);
    EXPECT_EQ(channel.writes[0][2], 251);

    link.send(0x85, Bytes(252, 0xAA));
    EXPECT_EQ(channel.writes.size(), 1u);
    EXPECT_TRUE(traces.has("refused"));
}

TEST(LinkWriter, SendsKeepTheirOrderAndContentAndNeedAChannel) {
    RecordingChannel channel;
    LinkWriter link;
    link.send(0x46);
    link.setChannel(&channel);
    link.send(0x51, counting(19));
    link.send(0x46);
    link.setChannel(nullptr);
    link.send(0x46);
    ASSERT_EQ(channel.writes.size(), 2u);
    EXPECT_EQ(channel.writes[0], frameOf(0x51, counting(19)));
    EXPECT_EQ(channel.writes[1], frameOf(0x46));
}
