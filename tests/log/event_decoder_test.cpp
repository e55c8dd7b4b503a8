#include "log/event_decoder.h"
#include "log_records.h"
#include "time_zone.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace interlock;

namespace {

class EventDecoderTest : public ::testing::Test {
  protected:
    // Decodes `record` as record number `number`; "" when nothing is printed.
    std::string screen(const std::vector<std::uint8_t>& record, std::uint32_t number = 1) {
        texts.clear();
        const std::uint32_t before = number;
        const bool printed = decoder.decode(record, number, texts);
        EXPECT_EQ(number, printed ? before + 1 : before);
        return texts.screen;
    }
    void use(std::uint8_t logType, LogGeneration generation, std::uint8_t testUnit = 1) {
        decoder.logType = logType;
        decoder.generation = generation;
        decoder.testUnit = TestUnit{testUnit};
    }

    ScopedTimeZone zone{"JST-9"};
    EventDecoder decoder{LOG_TYPE_PART1, LogGeneration::Current, TestUnit::PercentBac};
    LogTexts texts;
};

// The time part of a 10-byte record 17-01-02 03:04:05 printed as recorded.
const std::string kPrefix = "1 :\t 17 / 1 / 2\t  3 :  4 :  5 ";
std::vector<std::uint8_t> at(std::uint8_t code, std::uint16_t value) {
    return record10(17, 1, 2, 3, 4, 5, code, value);
}

struct Case {
    std::uint8_t code;
    std::uint16_t value;
    const char* expected; // after the time part; "" for nothing printed
};
} // namespace

TEST_F(EventDecoderTest, CurrentDecoderPrintsLocalTimeAndBacValueInBothForms) {
    const auto record = record10(16, 12, 31, 1, 5, 7, 0x10, 123);
    EXPECT_EQ(screen(record, 5), "5 :\t 16 / 12 / 31\t  10 :  5 :  7  \tInitial Test Passed\t"
                                 "0.012 %BAC \r\n");
    EXPECT_EQ(texts.file, "5 :\t 16 / 12 / 31\t  10 :  5 :  7  \tInitial Test Passed\t"
                          "0.012 %BAC \n");
}

TEST_F(EventDecoderTest, ValueFollowsTestUnit) {
    struct UnitCase {
        std::uint8_t unit;
        std::uint16_t value;
        const char* expected;
    };
    const UnitCase cases[] = {
        {1, 500, "0.050 %BAC \r\n"},     {0, 500, "0.050 %BAC \r\n"},
        {2, 500, "0.50 Promille \r\n"},  {3, 500, "0.25 mg/L \r\n"},
        {5, 500, "50 mg/100mL \r\n"},    {1, 1234, "0.123 %BAC \r\n"},
        {2, 1234, "1.23 Promille \r\n"}, {3, 1234, "0.61 mg/L \r\n"},
        {5, 1234, "123 mg/100mL \r\n"},  {1, 65535, "6.553 %BAC \r\n"},
        {3, 19, "0.00 mg/L \r\n"},
    };
    for (const auto& c : cases) {
        use(LOG_TYPE_PART2, LogGeneration::V43, c.unit);
        EXPECT_EQ(screen(at(0x1C, c.value)),
                  kPrefix + " \tRecurring breathing test Failed\t" + c.expected)
            << int(c.unit) << " " << c.value;
    }
}

TEST_F(EventDecoderTest, EarlyDecodersPrintNoSecondsAndThousandthsOfBac) {
    const std::pair<std::uint16_t, const char*> cases[] = {
        {9, "0.000"}, {50, "0.005"}, {500, "0.050"}, {1234, "0.123"}, {12345, "1.234"}};
    for (const std::uint8_t logType : {LOG_TYPE_PART1, LOG_TYPE_PART2}) {
        use(logType, LogGeneration::Early, 3); // the unit is ignored
        const char* text =
            logType == LOG_TYPE_PART1 ? " \tInitial Test Passed\t" : " \tBreathing test Passed\t";
        for (const auto& [value, printed] : cases)
            EXPECT_EQ(screen(record8(9, 5, 6, 7, 8, 0x10, value)),
                      std::string("1 :\t 9 / 5 / 6\t  7 :  8 ") + text + printed + " BAC \r\n");
    }
}

TEST_F(EventDecoderTest, CalibrationLineAcceptsFrom450To550) {
    const std::string fail = " \tBreathing test calibration FAIL!!\r\n";
    const std::string ok = " \tBreathing test calibration CAL OK / ";
    struct CalCase {
        std::uint8_t unit;
        std::uint16_t value;
        std::string expected;
    };
    const CalCase cases[] = {
        {1, 449, fail},
        {1, 450, ok + "0.05 %BAC(expected value)/ 0.045 %BAC(actual value)\r\n"},
        {1, 550, ok + "0.05 %BAC(expected value)/ 0.055 %BAC(actual value)\r\n"},
        {1, 551, fail},
        {3, 450, ok + "0.25 mg/L(expected value)/ 0.22 mg/L(actual value)\r\n"},
        {2, 450, ok + "0.5 Promille(expected value)/ 0.45 Promille(actual value)\r\n"},
        {5, 550, ok + "50 mg/100mL(expected value)/ 55 mg/100mL(actual value)\r\n"},
        {5, 551, fail},
    };
    for (const auto& c : cases) {
        use(LOG_TYPE_PART2, LogGeneration::V43, c.unit);
        EXPECT_EQ(screen(at(0x99, c.value)), kPrefix + c.expected) << int(c.unit) << " " << c.value;
    }
}

TEST_F(EventDecoderTest, BacCalibrationFileFormLacksTheBracket) {
    use(LOG_TYPE_PART1, LogGeneration::V43, 1);
    screen(at(0x99, 500));
    EXPECT_EQ(texts.file, kPrefix + " \tBreathing test calibration CAL OK / 0.05 %BAC(expected "
                                    "value)/ 0.050 %BAC actual value)\n");
}

TEST_F(EventDecoderTest, EarlyCalibrationLineInMilligramsPerLitre) {
    use(LOG_TYPE_PART2, LogGeneration::Early, 1);
    const std::string prefix = "1 :\t 9 / 5 / 6\t  7 :  8 ";
    EXPECT_EQ(screen(record8(9, 5, 6, 7, 8, 0x99, 450)),
              prefix + " \tBreathing test calibrationCAL OK/0.25mg/L(expected value)/0.225 "
                       "mg/L(actual value)\r\n");
    EXPECT_EQ(screen(record8(9, 5, 6, 7, 8, 0x99, 551)),
              prefix + " \tBreathing test calibration FAIL!!\r\n");
}

TEST_F(EventDecoderTest, Part1EventTexts) {
    const Case cases[] = {
        {0x11, 500, " \tInitial Test Passed\t0.050 %BAC \r\n"},
        {0x19, 0, " \tHandset Disconnected\r\n"},
        {0x19, 0x0200, " \tHandset Reconnected\r\n"},
        {0x20, 0x0700, " \tInvalid Breath Sample\tErr  7 \r\n"},
        {0x21, 0, " \tHandset Temperature Out of Range\t \r\n"},
        {0x22, 253, " \tControl Unit Temperature Out of Range\t 25 'C \r\n"},
        {0x23, 0x0100, " \tPermanent Unlock  \r\n"},
        {0x23, 0x0200, " \tCondition Unlock  \r\n"},
        {0x27, 0x0500, " \tPower On\t5sec\r\n"},
        {0x28, 0x0C00, " \tLow Battery Detect\t12 \r\n"},
        {0x2A, 0, " \tEmegency Key Off\r\n"},
        {0x2A, 0x0100, " \tEmegency Key On\r\n"},
        {0x31, 0, " \tStart Relay Opened\r\n"},
        {0x31, 0x0100, " \tStarter Relay Closed\r\n"},
        {0x45, 0x0500, " \tDevice Error\tERROR SOL  \r\n"},
        {0x45, 0x1400, " \tDevice Error\tERROR HEATER  \r\n"},
        {0x45, 0x0200, " \tDevice Error\t \r\n"},
        {0x88, 0, " \tService Reminder (Grace Period)\r\n"},
        {0xA9, 500, " \tCalibration Result\t0.050 %BAC \r\n"},
        {0x77, 0, " \r\n"},
    };
    use(LOG_TYPE_PART1, LogGeneration::V43, 1);
    for (const auto& c : cases)
        EXPECT_EQ(screen(at(c.code, c.value)), kPrefix + c.expected) << int(c.code);
}

TEST_F(EventDecoderTest, Part2EventTextsAndFilter) {
    const Case cases[] = {
        {0x12, 500, " \tBreathing test Failed\t0.050 %BAC \r\n"},
        {0x19, 0, " \tDisconnecting handset from control unit\r\n"},
        {0x19, 0x0100, " \tConnecting handset from control unit\r\n"},
        {0x20, 0x0300, " \tRecurring breathing test\tErr  3 \r\n"},
        {0x27, 0x0300, " \tConnection of power supply\t3sec\r\n"},
        {0x31, 0x0100, " \tStart of vehicle allowed\r\n"},
        {0x7B, 0, " \tTampering attempt or bypass attempt\r\n"},
        {0xA0, 0, " \tOverride activated\r\n"},
        {0xA9, 500, ""},
        {0x15, 0, ""},
        {0x77, 0, ""},
    };
    use(LOG_TYPE_PART2, LogGeneration::V43, 1);
    for (const auto& c : cases) {
        const std::string expected = *c.expected ? kPrefix + c.expected : "";
        EXPECT_EQ(screen(at(c.code, c.value)), expected) << int(c.code);
    }
}

TEST_F(EventDecoderTest, EmptySlotsAndTextlessLogTypePrintNothing) {
    for (const std::size_t slot : {0u, 1u, 2u}) {
        auto record = at(0x30, 0);
        record[slot] = 0xFF;
        EXPECT_EQ(screen(record), "") << slot;
        auto early = record8(9, 5, 6, 7, 8, 0x30, 0);
        early[slot] = 0xFF;
        use(LOG_TYPE_PART1, LogGeneration::Early);
        EXPECT_EQ(screen(early), "") << slot;
        use(LOG_TYPE_PART1, LogGeneration::V43);
    }
    use(2, LogGeneration::Current);
    EXPECT_EQ(screen(at(0x30, 0)), "");
}
