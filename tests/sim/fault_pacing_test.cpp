#include "link/codes.h"
#include "model_driver.h"
#include "sim/input_pace.h"

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

TEST(Pacing, InputIsTakenAtTheLineRateWithAFifoAfterAPause) {
    InputPace pace(kLineBytesPerSecond);
    EXPECT_EQ(pace.allowance(msec(1000), 4096), InputPace::kBurstBytes) << "idle line: the FIFO";
    std::size_t taken = 0;
    for (int ms = 1000; ms <= 2000; ++ms) {
        const std::size_t now = pace.allowance(msec(ms), 4096);
        pace.took(now, now, msec(ms)); // the line never runs dry
        taken += now;
    }
    EXPECT_NEAR(double(taken), kLineBytesPerSecond + InputPace::kBurstBytes, 12.0);
    EXPECT_EQ(pace.allowance(msec(2000), 4096), 0u);
    EXPECT_GT(pace.nextByteAt(), msec(2000));
    EXPECT_LE(pace.nextByteAt(), msec(2000) + SimTime(87));
    // A device slow to read takes what the busy line carried meanwhile...
    EXPECT_NEAR(double(pace.allowance(msec(2100), 4096)), kLineBytesPerSecond / 10, 2.0);
    // ...but after a read that emptied the line, only its FIFO's worth.
    pace.took(10, 1152, msec(2100));
    EXPECT_EQ(pace.allowance(msec(2500), 4096), InputPace::kBurstBytes);
    EXPECT_EQ(InputPace().allowance(msec(0), 4096), 4096u) << "unpaced: all there is";
}
