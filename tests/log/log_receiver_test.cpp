#include "log/log_receiver.h"
#include "log_records.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace interlock;

namespace {
struct RecordedEvents : LogReceiverEvents {
    std::vector<std::string> seen;
    std::vector<std::vector<std::uint8_t>> records;
    LogHeader header;
    void headerSkipped() override { seen.push_back("skipped"); }
    void headerComplete(const LogHeader& h) override {
        header = h;
        seen.push_back("header");
    }
    void eventRecord(std::span<const std::uint8_t> r) override {
        records.emplace_back(r.begin(), r.end());
    }
    void eventLogEmpty() override { seen.push_back("empty"); }
    void eventLogComplete() override { seen.push_back("complete"); }
};

class LogReceiverTest : public ::testing::Test {
  protected:
    void start(LogSection section, std::uint32_t fwCheck = 0x0404) {
        state.Log_FW_Check = fwCheck;
        receiver.startSection(section);
    }
    // One byte at a time, as the dispatcher hands them over.
    void feed(const std::vector<std::uint8_t>& bytes) {
        for (const std::uint8_t b : bytes)
            receiver.feed(b);
    }
    ProgramState state;
    RecordedEvents events;
    LogReceiver receiver{state, events};
};

std::vector<std::uint8_t> headerBody(std::size_t size) {
    std::vector<std::uint8_t> body(size);
    for (std::size_t i = 0; i < size; ++i)
        body[i] = static_cast<std::uint8_t>('A' + i);
    return body;
}
} // namespace

TEST_F(LogReceiverTest, HeaderCompletesAtItsLengthWithTheBodyStored) {
    start(LogSection::Header);
    feed(le32(23));
    const auto body = headerBody(23);
    feed(std::vector<std::uint8_t>(body.begin(), body.end() - 1));
    EXPECT_TRUE(events.seen.empty());
    feed({body.back()});
    ASSERT_EQ(events.seen, std::vector<std::string>{"header"});
    EXPECT_EQ(events.header.handsetSerial(), "ABCDEFGH");
    EXPECT_EQ(events.header.controlSerial(), "IJKLMNOP");
    EXPECT_EQ(events.header.bytes[22], 'A' + 22);
    EXPECT_EQ(state.Log_Write_Packet_Cnt, 23u);
}

TEST_F(LogReceiverTest, LongHeaderBodyIsCountedButNotStoredPastTheArea) {
    start(LogSection::Header);
    feed(le32(40));
    feed(headerBody(40));
    ASSERT_EQ(events.seen, std::vector<std::string>{"header"});
    EXPECT_EQ(events.header.bytes[23], 'A' + 23);
    EXPECT_EQ(receiver.receiveState().bodyBytes, 40u);
}

TEST_F(LogReceiverTest, HeaderLengthZeroOrErasedSkipsTheHeader) {
    for (const std::uint32_t length : {0u, 0xFFFFFFFFu}) {
        events.seen.clear();
        start(LogSection::Header);
        feed(le32(length));
        EXPECT_EQ(events.seen, std::vector<std::string>{"skipped"}) << length;
    }
}

TEST_F(LogReceiverTest, TenByteRecordsWithMatchingTotalComplete) {
    start(LogSection::Events, 0x0403);
    const auto a = record10(16, 12, 31, 1, 5, 7, 0x10, 123);
    const auto b = record10(17, 1, 2, 3, 4, 5, 0x30, 0);
    auto stream = eventSection({a, b}, true);
    feed(std::vector<std::uint8_t>(stream.begin(), stream.end() - 1));
    EXPECT_EQ(events.records, (std::vector<std::vector<std::uint8_t>>{a, b}));
    EXPECT_TRUE(events.seen.empty()) << "the total is not complete yet";
    feed({stream.back()});
    EXPECT_EQ(events.seen, std::vector<std::string>{"complete"});
    EXPECT_EQ(state.Log_Write_Packet_Cnt, 24u);
    // Bytes after the total are ignored.
    feed(record10(17, 1, 2, 3, 4, 5, 0x30, 0));
    EXPECT_EQ(events.records.size(), 2u);
    EXPECT_EQ(events.seen.size(), 1u);
}

TEST_F(LogReceiverTest, WrongRecordCheckIsPassedOnButNeverCompletes) {
    start(LogSection::Events);
    auto bad = record10(16, 12, 31, 1, 5, 7, 0x10, 123);
    bad[9] ^= 0x01;
    const auto good = record10(17, 1, 2, 3, 4, 5, 0x30, 0);
    feed(eventSection({bad, good}, true));
    EXPECT_EQ(events.records.size(), 2u);
    EXPECT_TRUE(events.seen.empty());
    EXPECT_TRUE(receiver.receiveState().recordCheckFailed);
    // The packet count restarted at the bad record: 10 record bytes and 4 total bytes since.
    EXPECT_EQ(state.Log_Write_Packet_Cnt, 14u);
}

TEST_F(LogReceiverTest, TotalOffByOneDoesNotComplete) {
    for (const int adjust : {-1, 1}) {
        events.seen.clear();
        start(LogSection::Events);
        feed(eventSection({record10(16, 1, 1, 0, 0, 0, 0x10, 1)}, true, adjust));
        EXPECT_TRUE(events.seen.empty()) << adjust;
    }
}

TEST_F(LogReceiverTest, TornLastRecordNeverCompletes) {
    // Two whole records and six bytes of a third; the total covers the whole ones,
    // as a receiver that counted body and total apart would match it.
    const auto a = record10(16, 1, 1, 0, 0, 0, 0x10, 1);
    const auto b = record10(16, 1, 1, 0, 0, 1, 0x30, 0);
    std::uint32_t total = 0;
    for (const auto* r : {&a, &b})
        for (std::size_t i = 0; i < 9; ++i)
            total += (*r)[i];
    start(LogSection::Events);
    auto stream = le32(26);
    append(stream, a);
    append(stream, b);
    append(stream, {1, 2, 3, 4, 5, 6});
    append(stream, le32(total));
    feed(stream);
    EXPECT_EQ(events.records.size(), 2u);
    EXPECT_TRUE(events.seen.empty());

    start(LogSection::Events, 0x0402);
    auto eight = eventSection({record8(9, 5, 6, 7, 8, 0x10, 500)}, false);
    eight[0] = 12; // one record and four bytes
    append(eight, {1, 2, 3, 4});
    feed(eight);
    EXPECT_TRUE(events.seen.empty());
}

TEST_F(LogReceiverTest, EventLengthZeroOrErasedIsAnEmptyLog) {
    for (const std::uint32_t fw : {0x0404u, 0x0402u}) {
        for (const std::uint32_t length : {0u, 0xFFFFFFFFu}) {
            events.seen.clear();
            start(LogSection::Events, fw);
            feed(le32(length));
            EXPECT_EQ(events.seen, std::vector<std::string>{"empty"}) << fw << " " << length;
        }
    }
    EXPECT_TRUE(events.records.empty());
}

TEST_F(LogReceiverTest, LengthNearTheTopNeverWrapsIntoCompletion) {
    start(LogSection::Events);
    feed(le32(0xFFFFFFFD));
    feed(record10(16, 1, 1, 0, 0, 0, 0x10, 1));
    feed(le32(0));
    EXPECT_EQ(events.records.size(), 1u);
    EXPECT_TRUE(events.seen.empty());
}

TEST_F(LogReceiverTest, EightByteRecordsCompleteAtTheLengthWithoutTotal) {
    start(LogSection::Events, 0x0402);
    const auto a = record8(9, 5, 6, 7, 8, 0x10, 500);
    const auto b = record8(9, 5, 6, 7, 9, 0x2D, 0);
    auto stream = eventSection({a, b}, false);
    feed(std::vector<std::uint8_t>(stream.begin(), stream.end() - 1));
    EXPECT_TRUE(events.seen.empty());
    feed({stream.back()});
    EXPECT_EQ(events.records, (std::vector<std::vector<std::uint8_t>>{a, b}));
    EXPECT_EQ(events.seen, std::vector<std::string>{"complete"});
    EXPECT_EQ(state.Log_Write_Packet_Cnt, 16u);
}
