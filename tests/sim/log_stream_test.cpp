#include "link/codes.h"
#include "model_driver.h"
#include "sim/event_log.h"
#include "sim/log_stream.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

using namespace interlock;
using namespace interlock::sim;
using test::ModelDriver;

namespace {
using Bytes = std::vector<std::uint8_t>;

std::uint32_t le32(const Bytes& bytes, std::size_t at) {
    return std::uint32_t(bytes[at]) | std::uint32_t(bytes[at + 1]) << 8 |
           std::uint32_t(bytes[at + 2]) << 16 | std::uint32_t(bytes[at + 3]) << 24;
}

const std::vector<LogEvent> kTwoEvents = {
    LogEvent{16, 12, 31, 1, 5, 7, 0x10, 0x00, 0x7B},
    LogEvent{16, 12, 31, 23, 30, 0, 0x99, 0x01, 0xF4},
};
} // namespace

TEST(LogStream, HeaderCarriesSerialsServiceDateAndPeriod) {
    const DeviceRecords records = defaultRecords();
    const Bytes header = headerSection(records, HeaderMode::Full);
    ASSERT_EQ(header.size(), 4 + kHeaderBodySize);
    EXPECT_EQ(le32(header, 0), 23u);
    EXPECT_EQ(std::string(header.begin() + 4, header.begin() + 20), "HS000123CU000456");
    EXPECT_EQ(Bytes(header.begin() + 20, header.begin() + 25), (Bytes{26, 11, 2, 9, 30}));
    EXPECT_EQ(header[25] | header[26] << 8, 60);

    EXPECT_EQ(headerSection(records, HeaderMode::EmptyZero), (Bytes{0, 0, 0, 0}));
    EXPECT_EQ(headerSection(records, HeaderMode::EmptyAllOnes), (Bytes{0xFF, 0xFF, 0xFF, 0xFF}));
}

TEST(LogStream, EarlyFirmwareSendsEightByteRecordsWithoutSecondsOrTotal) {
    const Bytes stream = eventSection(kTwoEvents, 0x0402);
    EXPECT_EQ(stream, (Bytes{16,   0,    0,  0,  16, 12, 31, 1,    5,    0x10,
                             0x00, 0x7B, 16, 12, 31, 23, 30, 0x99, 0x01, 0xF4}));
    EXPECT_EQ(eventSection({}, 0x0402), (Bytes{0, 0, 0, 0}));
    EXPECT_EQ(eventSection({}, 0x0404), (Bytes(8, 0)));
}

TEST(LogStream, ReadRequestServesTheSectionAskedForAndDeleteEmptiesIt) {
    SimConfig config;
    config.records.log = kTwoEvents;
    Bytes served;
    SimHooks hooks;
    hooks.logServed = [&served](std::span<const std::uint8_t> s) {
        served.insert(served.end(), s.begin(), s.end());
    };
    ModelDriver d(config, hooks);
    d.send(request::ReadLog, {1, 0, 0, 0, 0});
    Bytes wire = d.advance(10);
    d.send(request::ReadLog, {2, 0, 0, 0, 0});
    const Bytes events = d.advance(10);
    wire.insert(wire.end(), events.begin(), events.end());
    EXPECT_EQ(events, eventSection(kTwoEvents, 0x0404));
    EXPECT_EQ(wire, served);

    d.ask(request::DeleteLog);
    d.send(request::ReadLog, {2, 0, 0, 0, 0});
    EXPECT_EQ(d.advance(10), Bytes(8, 0));
}

TEST(EventLog, GeneratedLogIsRepeatableAndLooksLikeDriving) {
    const CivilTime start{2026, 10, 1, 0, 0, 0};
    const auto log = generateEvents(7, 2000, 2, start);
    ASSERT_EQ(log.size(), 2000u);
    EXPECT_EQ(log, generateEvents(7, 2000, 2, start));
    EXPECT_NE(log, generateEvents(8, 2000, 2, start));

    std::set<std::uint8_t> codes;
    for (const LogEvent& e : log) {
        codes.insert(e[6]);
        // Breath values stay on their side of the default blocking limit (400).
        const int value = e[7] << 8 | e[8];
        if (e[6] == 0x10 || e[6] == 0x1A) {
            EXPECT_LT(value, 400);
        } else if (e[6] == 0x12 || e[6] == 0x1C) {
            EXPECT_GT(value, 400);
        }
    }
    for (const std::uint8_t code :
         {0x27, 0x10, 0x12, 0x31, 0x30, 0x32, 0x1A, 0x2D, 0x99, 0xA0, 0x3E, 0xFF})
        EXPECT_TRUE(codes.count(code)) << "code 0x" << std::hex << int(code);
    EXPECT_FALSE(codes.count(0x29)) << "ignition events belong to PART 1";

    // Time stamps never go backwards (empty slots aside).
    std::vector<LogEvent> stamped;
    std::copy_if(log.begin(), log.end(), std::back_inserter(stamped),
                 [](const LogEvent& e) { return e[0] != 0xFF; });
    EXPECT_TRUE(std::is_sorted(stamped.begin(), stamped.end(), [](const auto& a, const auto& b) {
        return std::lexicographical_compare(a.begin(), a.begin() + 6, b.begin(), b.begin() + 6);
    }));

    const auto part1 = generateEvents(7, 2000, 1, start);
    EXPECT_TRUE(
        std::any_of(part1.begin(), part1.end(), [](const LogEvent& e) { return e[6] == 0x29; }));
}

TEST(EventLog, TextFormRoundTripsAndRejectsBadLines) {
    const std::vector<LogEvent> events = {kTwoEvents[0], emptySlot(), kTwoEvents[1]};
    const std::string text = formatEvents(events);
    EXPECT_EQ(text.substr(0, text.find('\n')), "2016-12-31 01:05:07 0x10 123");
    std::string error;
    EXPECT_EQ(parseEvents("# comment\n\n" + text, error), events);

    EXPECT_FALSE(parseEvents("2016-13-01 00:00:00 0x10 1\n", error));
    EXPECT_NE(error.find("line 1"), std::string::npos);
    EXPECT_FALSE(parseEvents("2016-12-01 00:00:00 0x100 1\n", error));
    EXPECT_FALSE(parseEvents("2016-12-01 00:00:00 0x10\n", error));
}
