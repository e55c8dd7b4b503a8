#include "link/codes.h"
#include "link_fixture.h"

using namespace interlock;
using namespace interlock::testing;

namespace {

class Gatherer : public LinkTest {
  protected:
    std::uint32_t answers(std::uint8_t code) const { return state.answersReceived[code]; }
    void expectRingEmpty() const {
        EXPECT_EQ(state.ring.writeIndex, 0);
        EXPECT_EQ(state.ring.readIndex, 0);
        EXPECT_EQ(state.ring.pending, 0);
    }
    const Bytes option = frameOf(response::TE_OPTION, counting(10, 0x10));
    const Bytes service = frameOf(response::TE_SERVICE, counting(13, 0x30));
};

TEST_F(Gatherer, FrameSplitAnywhereIsDispatchedOnceWhenComplete) {
    for (std::size_t cut = 1; cut < option.size(); ++cut) {
        state.answersReceived = {};
        state.option = {};
        feed(Bytes(option.begin(), option.begin() + static_cast<std::ptrdiff_t>(cut)));
        EXPECT_EQ(answers(response::TE_OPTION), 0u) << "cut " << cut;
        feed(Bytes(option.begin() + static_cast<std::ptrdiff_t>(cut), option.end()));
        EXPECT_EQ(answers(response::TE_OPTION), 1u) << "cut " << cut;
        EXPECT_EQ(state.option.bytes[9], 0x19);
        expectRingEmpty();
    }
}

TEST_F(Gatherer, SeveralFramesInOneChunkAreDispatchedInOrder) {
    feed(concat({option, frameOf(response::ACK), service}));
    EXPECT_EQ(answers(response::TE_OPTION), 1u);
    EXPECT_EQ(answers(response::TE_SERVICE), 1u);
    const auto optionAt = traces.text.find("TE_OPTION ");
    const auto ackAt = traces.text.find("ACK\r\n");
    const auto serviceAt = traces.text.find("TE_SERVICE ");
    EXPECT_LT(optionAt, ackAt);
    EXPECT_LT(ackAt, serviceAt);
    expectRingEmpty();
}

TEST_F(Gatherer, GarbageOutsideLogDownloadEmptiesTheRing) {
    const Bytes starts[] = {{0x55}, {0x02, 0xFF}};
    for (const Bytes& start : starts) {
        state.answersReceived = {};
        feed(concat({start, option}));
        EXPECT_EQ(answers(response::TE_OPTION), 0u);
        expectRingEmpty();
    }
    // After a good frame the garbage takes the rest of its chunk with it.
    feed(concat({option, {0x02, 0xFF}, service}));
    EXPECT_EQ(answers(response::TE_OPTION), 1u);
    EXPECT_EQ(answers(response::TE_SERVICE), 0u);
    expectRingEmpty();
}

TEST_F(Gatherer, RecordCrcFailureDropsTheRestOfTheRing) {
    const Te_Service_t before = state.service;
    feed(concat({withBadCrc(option), service, {0x02, 0x62}}));
    EXPECT_EQ(answers(response::TE_OPTION), 0u);
    EXPECT_EQ(state.service, before);
    EXPECT_EQ(traces.count("TE_OPTION crc not equal\r\n"), 1);
    EXPECT_EQ(traces.count("crc error clear\r\n"), 1);
    expectRingEmpty();

    // The last frame of a chunk clears the ring just the same.
    feed(concat({service, withBadCrc(option)}));
    EXPECT_EQ(answers(response::TE_SERVICE), 1u);
    EXPECT_EQ(traces.count("crc error clear\r\n"), 2);
    expectRingEmpty();
}

TEST_F(Gatherer, WholeRecordAndNackCrcFailuresAreConsumedWithoutClearing) {
    feed(concat({withBadCrc(frameOf(response::PC_WHOLE_READ, Bytes(66, 1))),
                 withBadCrc(frameOf(response::PC_WHOLE_WRITE)), withBadCrc(frameOf(response::NACK)),
                 option}));
    EXPECT_EQ(traces.count("PC_WHOLE_READ crc error\r\n"), 1);
    EXPECT_EQ(traces.count("PC_WHOLE_WRITE crc error\r\n"), 1);
    EXPECT_FALSE(traces.has("NACK"));
    EXPECT_FALSE(traces.has("crc error clear"));
    EXPECT_EQ(answers(response::PC_WHOLE_READ), 0u);
    EXPECT_EQ(answers(response::NACK), 0u);
    EXPECT_EQ(answers(response::TE_OPTION), 1u);
    expectRingEmpty();
}

TEST_F(Gatherer, AckIsTakenWithoutCrcTestNackOnlyWithGoodCrc) {
    feed(concat({withBadCrc(frameOf(response::ACK)), frameOf(response::NACK), option}));
    EXPECT_EQ(traces.count("ACK\r\n"), 2); // "NACK\r\n" ends in the same text
    EXPECT_EQ(traces.count("NACK\r\n"), 1);
    EXPECT_EQ(answers(response::TE_OPTION), 1u);
    // Only whole acknowledgements count: a page decides a refusal from them.
    EXPECT_EQ(answers(response::ACK), 0u);
    EXPECT_EQ(answers(response::NACK), 1u);
    feed(frameOf(response::ACK));
    EXPECT_EQ(answers(response::ACK), 1u);
}

TEST_F(Gatherer, UnknownCodeIsTracedAndConsumed) {
    feed(concat({frameOf(0x99, {1, 2, 3}), withBadCrc(frameOf(0x41)), option}));
    EXPECT_EQ(traces.count("Recognize ID error \r\n"), 2);
    EXPECT_FALSE(traces.has("crc error clear"));
    EXPECT_EQ(answers(response::TE_OPTION), 1u);
}

TEST_F(Gatherer, FrameStraddlingTheRingEndIsReadInOrder) {
    const Bytes config = counting(19, 0x40);
    const Bytes frame = frameOf(response::TE_CONFIG_DATA, config);
    for (const std::size_t cut : {std::size_t{0}, std::size_t{4}, std::size_t{7}}) {
        state.answersReceived = {};
        state.config = {};
        state.ring.writeIndex = state.ring.readIndex = 65530;
        if (cut > 0)
            feed(Bytes(frame.begin(), frame.begin() + static_cast<std::ptrdiff_t>(cut)));
        feed(Bytes(frame.begin() + static_cast<std::ptrdiff_t>(cut), frame.end()));
        EXPECT_EQ(answers(response::TE_CONFIG_DATA), 1u) << "cut " << cut;
        EXPECT_EQ(Bytes(state.config.bytes.begin(), state.config.bytes.end()), config);
        expectRingEmpty();
    }
}

TEST_F(Gatherer, LogDownloadRoutesEveryByteToTheLogReceiver) {
    state.logDownload = true;
    state.rxIdleCount = 4;
    const Bytes stream = concat({option, {0x55, 0x02, 0xFF}, withBadCrc(service)});
    feed(Bytes(stream.begin(), stream.begin() + 5));
    feed(Bytes(stream.begin() + 5, stream.end()));
    EXPECT_EQ(host.logStream, stream);
    EXPECT_EQ(answers(response::TE_OPTION), 0u);
    EXPECT_EQ(state.rxIdleCount, 0);
    EXPECT_TRUE(traces.text.empty());
    expectRingEmpty();
}

TEST_F(Gatherer, FirmwareReceiveModeHandsTheRingToTheLoader) {
    state.fwReceiveMode = true;
    feed(option);
    EXPECT_EQ(host.firmwareCalls, 1);
    EXPECT_EQ(host.firmwarePending, option.size());
    EXPECT_EQ(answers(response::TE_OPTION), 0u);
}

TEST_F(Gatherer, AFullRingRefusesFurtherBytesVisiblyAndKeepsTheUnreadOnes) {
    // Loader bytes with no page to read them pile up until the ring is full.
    state.fwReceiveMode = true;
    const Bytes first = counting(60000, 1);
    const Bytes second = counting(10000, 7);
    feed(first);
    feed(second);
    EXPECT_EQ(host.firmwarePending, 65535);
    EXPECT_EQ(state.ring.at(0), first[0]);
    EXPECT_EQ(state.ring.at(59999), first[59999]);
    EXPECT_EQ(state.ring.at(65534), second[5534]);
    const int refusals = traces.count("receive ring full: ");
    EXPECT_GT(refusals, 0);

    // Once read, the ring takes bytes again.
    state.ring.consume(65535);
    feed(option);
    EXPECT_EQ(host.firmwarePending, option.size());
    EXPECT_EQ(traces.count("receive ring full: "), refusals);
}

TEST_F(Gatherer, ArrivingBytesResetTheReceiveIdleCount) {
    // The firmware loader's text arrives slowly too: it must not time out meanwhile.
    for (const std::uint8_t firmware : {0, 1}) {
        state.fwReceiveMode = firmware;
        state.rxIdleCount = 3;
        feed(Bytes(option.begin(), option.begin() + 4));
        EXPECT_EQ(state.rxIdleCount, 0) << int(firmware);
    }
}

TEST_F(Gatherer, LongChunkOfFramesIsDispatchedCompletely) {
    Bytes stream;
    for (int i = 0; i < 500; ++i)
        stream.insert(stream.end(), option.begin(), option.end());
    feed(stream); // 7,500 bytes: more than one receive buffer's worth
    EXPECT_EQ(answers(response::TE_OPTION), 500u);
    expectRingEmpty();
}

} // namespace
