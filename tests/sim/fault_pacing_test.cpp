#include "link/codes.h"
#include "model_driver.h"

#include <gtest/gtest.h>

using namespace interlock;
using namespace interlock::sim;
using test::ModelDriver;

namespace {
using Bytes = std::vector<std::uint8_t>;

template <typename Set> SimConfig withFaults(Set set) {
    SimConfig config;
    set(config.faults);
    return config;
}
} // namespace

TEST(Faults, DropAndCorruptHitTheChosenOutputByte) {
    ModelDriver reference;
    reference.send(request::ReadInfo);
    const Bytes expected = reference.advance(10);

    ModelDriver dropping(withFaults([](SimFaults& f) { f.dropByte = 3; }));
    dropping.send(request::ReadInfo);
    Bytes dropped = expected;
    dropped.erase(dropped.begin() + 3);
    EXPECT_EQ(dropping.advance(10), dropped);

    ModelDriver corrupting(withFaults([](SimFaults& f) { f.corruptByte = 12; }));
    corrupting.send(request::ReadInfo);
    corrupting.advance(10);
    corrupting.send(request::ReadInfo);
    Bytes corrupted = expected;
    corrupted[0] = static_cast<std::uint8_t>(~corrupted[0]); // byte 12 opens the second answer
    EXPECT_EQ(corrupting.advance(10), corrupted);
}

TEST(Faults, BadCrcHitsOnlyTheChosenAnswer) {
    ModelDriver d(withFaults([](SimFaults& f) { f.badCrc = AnswerPick{response::TE_OPTION, 2}; }));
    EXPECT_TRUE(d.ask(request::ReadOption)[0].crcGood);
    EXPECT_TRUE(d.ask(request::ReadInfo)[0].crcGood);
    EXPECT_FALSE(d.ask(request::ReadOption)[0].crcGood);
    EXPECT_TRUE(d.ask(request::ReadOption)[0].crcGood);
}

TEST(Faults, RefusedRequestGetsANackAndChangesNothing) {
    ModelDriver d(withFaults([](SimFaults& f) {
        f.refuseRequest = AnswerPick{request::WriteConfig, 2};
    }));
    const Bytes first(19, 1);
    const Bytes second(19, 2);
    EXPECT_EQ(d.ask(request::WriteConfig, first)[0].code, response::ACK);
    EXPECT_EQ(d.ask(request::WriteOption, Bytes(10, 3))[0].code, response::ACK);
    const auto refused = d.ask(request::WriteConfig, second);
    ASSERT_EQ(refused.size(), 1u);
    EXPECT_EQ(refused[0].code, response::NACK);
    EXPECT_EQ(d.ask(request::ReadConfig)[0].payload, first);
    EXPECT_EQ(d.ask(request::WriteConfig, second)[0].code, response::ACK);
    EXPECT_EQ(d.ask(request::ReadConfig)[0].payload, second);
}

TEST(Faults, StrayBytesComeAheadOfTheAnswerAfterAGap) {
    const std::pair<std::optional<AnswerPick> SimFaults::*, Bytes> strays[] = {
        {&SimFaults::garbageBefore, {0x55, 0xAA, 0x00, 0x7E}},
        {&SimFaults::partialBefore, {0x02, 0x60, 0xC8}}};
    for (const auto& [fault, bytes] : strays) {
        ModelDriver d(withFaults([fault](SimFaults& f) {
            f.*fault = AnswerPick{response::TE_INFO, 1};
        }));
        d.send(request::ReadInfo);
        EXPECT_EQ(d.advance(10), bytes);
        const auto answer = ModelDriver::frames(d.advance(60));
        ASSERT_EQ(answer.size(), 1u);
        EXPECT_EQ(answer[0].code, response::TE_INFO);
    }
}

TEST(Faults, ShortAnswerAndUnaskedCalibrationValueHitTheChosenAnswer) {
    ModelDriver d(withFaults([](SimFaults& f) {
        f.shortAnswer = AnswerPick{response::TE_ID, 1};
        f.calValueAfter = AnswerPick{response::TE_ID, 2};
    }));
    const auto first = d.ask(request::Connect, {1}, 200);
    ASSERT_EQ(first.size(), 1u);
    EXPECT_EQ(first[0].payload, Bytes{0x00});
    EXPECT_TRUE(first[0].crcGood);

    const auto second = d.ask(request::Connect, {1}, 200);
    ASSERT_EQ(second.size(), 2u);
    EXPECT_EQ(second[0].payload.size(), IdentityRecord::size);
    EXPECT_EQ(second[1].code, response::RESPONSE_CAL_VALUE);
    EXPECT_EQ(second[1].payload, (Bytes{0x01, 0xF4, 0, 0, 0, 0}));
    EXPECT_EQ(d.ask(request::Connect, {1}, 200).size(), 1u);
}

TEST(Faults, LogStallsMidStreamAndResumesOnlyWhenAsked) {
    SimConfig config = withFaults([](SimFaults& f) { f.stallLogAfter = 14; });
    config.records.log.assign(5, LogEvent{26, 1, 1, 0, 0, 0, 0x10, 0, 5});
    ModelDriver stopped(config);
    stopped.send(request::ReadLog, {2, 0, 0, 0, 0});
    EXPECT_EQ(stopped.advance(10).size(), 14u);
    EXPECT_TRUE(stopped.advance(60000).empty());

    config.faults.stallFor = msec(3000);
    ModelDriver resumed(config);
    resumed.send(request::ReadLog, {2, 0, 0, 0, 0});
    EXPECT_EQ(resumed.advance(10).size(), 14u);
    EXPECT_TRUE(resumed.advance(2900).empty());
    EXPECT_EQ(resumed.advance(200).size(), 4u + 50u + 4u - 14u);
}

TEST(Faults, HangupFollowsTheChosenAnswer) {
    ModelDriver d(withFaults([](SimFaults& f) { f.hangupAfter = 2; }));
    d.ask(request::ReadInfo);
    EXPECT_FALSE(d.model.hungUp());
    d.send(request::ReadInfo);
    EXPECT_FALSE(d.model.hungUp()) << "the answer is still to be sent";
    d.advance(10);
    EXPECT_TRUE(d.model.hungUp());
    EXPECT_TRUE(d.ask(request::ReadInfo).empty());
}

TEST(Pacing, OutputLeavesAtTheLineRate) {
    SimConfig config;
    config.bytesPerSecond = kLineBytesPerSecond;
    config.records.log.assign(115, LogEvent{26, 1, 1, 0, 0, 0, 0x10, 0, 5});
    ModelDriver d(config);
    d.send(request::ReadLog, {2, 0, 0, 0, 0}); // 4 + 1150 + 4 bytes: about 100.5 ms
    std::size_t total = d.advance(2).size();
    EXPECT_EQ(total, 0u);
    total += d.advance(50).size();
    EXPECT_NEAR(double(total), 576.0, 2.0);
    total += d.advance(50).size();
    EXPECT_LT(total, 1158u);
    total += d.advance(1).size();
    EXPECT_EQ(total, 1158u);
    EXPECT_FALSE(d.model.nextWake());
}
