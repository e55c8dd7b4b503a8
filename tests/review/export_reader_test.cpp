// Reading export files back: the program's own files for generated logs of every
// format, wording and unit; the odd bytes a header may hold; damaged files.
#include "link/local_time.h"
#include "log/event_decoder.h"
#include "review/event_line.h"
#include "review/export_reader.h"
#include "sim/event_log.h"
#include "time_zone.h"
#include "written_export.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

using namespace interlock;
using namespace interlock::review;
using namespace interlock::testing;

namespace {
constexpr std::int32_t kNineHours = 9 * 3600;

ExportLog readOrFail(const std::string& bytes) {
    auto result = readExport(bytes);
    if (const auto* error = std::get_if<ReadError>(&result)) {
        ADD_FAILURE() << "line " << error->line << ": " << error->reason;
        return {};
    }
    return std::get<ExportLog>(std::move(result));
}

ReadError refusal(const std::string& bytes) {
    auto result = readExport(bytes);
    if (const auto* error = std::get_if<ReadError>(&result))
        return *error;
    ADD_FAILURE() << "read without complaint";
    return {};
}

// The kind the review gives each code the simulator's generator writes.
EventKind expectedKind(std::uint8_t logType, std::uint8_t code, std::uint16_t v) {
    using enum EventKind;
    struct Kinds {
        std::uint8_t code;
        EventKind part1, part2;
    };
    const Kinds table[] = {{0x10, TestPassed, TestPassed},
                           {0x12, TestFailed, TestFailed},
                           {0x1A, RetestPassed, RetestPassed},
                           {0x1C, RetestFailed, RetestFailed},
                           {0x6C, RetestMissed, RetestMissed},
                           {0x20, InvalidSample, RetestRefused},
                           {0x27, Power, Power},
                           {0x28, Power, Power},
                           {0x2D, Power, Power},
                           {0x55, Tampering, Tampering},
                           {0x7A, StartWithoutApproval, Tampering},
                           {0x7B, StartWithoutApproval, Tampering},
                           {0xA0, Override, Override},
                           {0xA1, Override, Override},
                           {0xA9, Calibration, Calibration},
                           {0x3E, Unknown, Unknown}};
    if (code == 0x99)
        return v >= 450 && v <= 550 ? Calibration : CalibrationFailed;
    for (const Kinds& k : table) {
        if (k.code == code)
            return logType == LOG_TYPE_PART1 ? k.part1 : k.part2;
    }
    return Other;
}

using Variant = std::tuple<std::uint8_t, std::uint32_t, std::uint8_t>; // log type, firmware, unit

class RoundTrip : public ::testing::TestWithParam<Variant> {
  protected:
    ScopedTimeZone zone{"JST-9"};
};
} // namespace

TEST_P(RoundTrip, EveryEventComesBackWithItsLineTimeKindAndReading) {
    const auto [logType, firmware, unit] = GetParam();
    ServedLog served;
    served.logType = logType;
    served.firmware = firmware;
    served.testUnit = unit;
    served.events = sim::generateEvents(7, 600, logType == LOG_TYPE_PART1 ? 1 : 2,
                                        CivilTime{2026, 3, 1, 6, 0, 0});
    const ExportLog log = readOrFail(writtenExport(served));

    ASSERT_TRUE(log.opening && log.header);
    EXPECT_EQ(log.opening->registration, "AB12");
    EXPECT_EQ(log.opening->firmwareMajor, static_cast<int>(firmware >> 8));
    EXPECT_EQ(log.opening->firmwareMinor, static_cast<int>(firmware & 0xFF));
    EXPECT_EQ(log.opening->retestRefuse, 1);
    EXPECT_EQ(log.opening->noPower, 5);
    EXPECT_EQ(log.header->handsetSerial, "HS000123");
    EXPECT_EQ(log.header->controlSerial, "CU000456");
    EXPECT_EQ(log.header->servicePeriod, 60);
    EXPECT_EQ(log.wording, logType == LOG_TYPE_PART1 ? WORDING_PART1 : WORDING_PART2);

    // The program's decoder says which records print and how each line reads.
    const LogGeneration generation = generationOf(firmware);
    const bool early = generation == LogGeneration::Early;
    const EventDecoder decoder{logType, generation, TestUnit{unit}};
    EXPECT_EQ(log.format, early ? RecordFormat::NoSeconds : RecordFormat::WithSeconds);
    std::uint32_t number = 1;
    std::size_t at = 0;
    for (const sim::LogEvent& e : served.events) {
        std::vector<std::uint8_t> record(e.begin(), e.end());
        if (early)
            record.erase(record.begin() + 5);
        else
            record.push_back(0);
        LogTexts texts;
        if (!decoder.decode(record, number, texts))
            continue;
        ASSERT_LT(at, log.events.size());
        const ReviewEvent& read = log.events[at++];
        const auto v = static_cast<std::uint16_t>(e[7] << 8 | e[8]);
        SCOPED_TRACE(texts.file);
        EXPECT_EQ(std::string(log.line(read)) + "\n", texts.file);
        EXPECT_EQ(read.number, number - 1);
        EXPECT_EQ(read.kind, expectedKind(logType, e[6], v));
        LogStamp time{e[0], e[1], e[2], e[3], e[4], early ? 0 : e[5]};
        if (generation == LogGeneration::Current)
            time = utcToLocal(time, kNineHours);
        EXPECT_EQ(read.time, time);
        EXPECT_EQ(read.reading.has_value(), isBreathTest(read.kind));
        if (read.reading) { // the number after the line's last tab
            EXPECT_NEAR(*read.reading, std::stod(texts.file.substr(texts.file.rfind('\t') + 1)),
                        1e-6);
        }
    }
    EXPECT_EQ(at, log.events.size());
    EXPECT_GT(at, 400u);
}

INSTANTIATE_TEST_SUITE_P(FormatsWordingsUnits, RoundTrip,
                         ::testing::Combine(::testing::Values(LOG_TYPE_PART1, LOG_TYPE_PART2),
                                            ::testing::Values(0x0402u, 0x0403u, 0x0404u),
                                            ::testing::Values(1, 2, 3, 5)));

namespace {
// A short PART 2 log of 10-byte records stamped as recorded; its event lines are
// lines 18 to 23 of the file.
std::string knownFile() {
    ServedLog served;
    served.firmware = 0x0403;
    served.events = {
        event(2026, 3, 1, 6, 0, 0, 0x27, 0x0500), event(2026, 3, 1, 6, 1, 0, 0x10, 120),
        event(2026, 3, 1, 6, 2, 0, 0x31, 0x0100), event(2026, 3, 1, 6, 10, 0, 0x1C, 600),
        event(2026, 3, 1, 6, 20, 0, 0x6C),        event(2026, 3, 1, 6, 30, 0, 0x2D)};
    return writtenExport(served);
}

std::string replaced(std::string text, std::string_view from, std::string_view to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

std::string upTo(const std::string& text, std::string_view marker) {
    return text.substr(0, text.find(marker));
}

struct Damage {
    const char* name;
    std::string (*damage)(const std::string&);
    int line;
    const char* reason; // a part of the reason given
};

const Damage kDamages[] = {
    {"a spreadsheet of something else",
     [](const std::string&) { return std::string("Name;Value\r\nx;1\r\n"); }, 1,
     "not an export file"},
    {"cut inside the opening block", [](const std::string& f) { return upTo(f, "FW Ver") + "FW"; },
     5, "cut short"},
    {"cut after the header rows", [](const std::string& f) { return upTo(f, "1 :\t"); }, 18,
     "before its first event line"},
    {"cut inside the last line", [](const std::string& f) { return f.substr(0, f.size() - 5); }, 23,
     "cut short"},
    {"cut between CR and LF", [](const std::string& f) { return f.substr(0, f.size() - 1); }, 23,
     "cut short"},
    {"a counter missing", [](const std::string& f) { return replaced(f, "NoPower : 5\r\n", ""); },
     8, "counter NoPower"},
    {"a serial number too short",
     [](const std::string& f) { return replaced(f, "HS000123", "HS0001"); }, 13,
     "handset serial number"},
    {"a misspelt event text",
     [](const std::string& f) { return replaced(f, "vehicle allowed", "vehicle alowed"); }, 20,
     "not one the program writes"},
    {"a value with a digit too many",
     [](const std::string& f) { return replaced(f, "0.012 %BAC", "0.0120 %BAC"); }, 19,
     "not one the program writes"},
    {"a value in another unit",
     [](const std::string& f) { return replaced(f, "0.060 %BAC", "0.30 mg/L"); }, 21,
     "in mg/L where the lines before are in %BAC"},
    {"a line taken out",
     [](const std::string& f) {
         const std::size_t from = f.find("3 :\t");
         return std::string(f).erase(from, f.find("4 :\t") - from);
     },
     20, "event number 4 where 3 was expected"},
    {"a time without seconds",
     [](const std::string& f) {
         return replaced(f, "  6 :  20 :  0  \tMissing", "  6 :  20  \tMissing");
     },
     22, "no seconds"},
    {"a PART 1 text in a PART 2 log",
     [](const std::string& f) {
         return replaced(f, "Missing recurring breathing test", "Retest Not Delivered");
     },
     22, "PART 1 event text among PART 2"},
    {"a number with a leading zero",
     [](const std::string& f) { return replaced(f, "1 :\t 26", "01 :\t 26"); }, 18,
     "expected an event line"},
    {"binary bytes in an event line",
     [](const std::string& f) { return replaced(f, "2 :\t", std::string("\0\xFF\x01\t", 4)); }, 19,
     "expected an event line"},
};

void PrintTo(const Damage& damage, std::ostream* out) {
    *out << damage.name;
}

class DamagedFile : public ::testing::TestWithParam<Damage> {};
} // namespace

TEST_P(DamagedFile, IsRefusedAtTheFirstLineThatCannotBeRead) {
    const Damage& damage = GetParam();
    const ReadError error = refusal(damage.damage(knownFile()));
    EXPECT_EQ(error.line, damage.line) << error.reason;
    EXPECT_NE(error.reason.find(damage.reason), std::string::npos) << error.reason;
}

INSTANTIATE_TEST_SUITE_P(Damages, DamagedFile, ::testing::ValuesIn(kDamages), [](const auto& info) {
    std::string name;
    for (const char* c = info.param.name; *c; ++c)
        name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
    return name;
});

TEST(ExportReader, FilesWithPlainLineEndsOddHeadersOrNoEventsAreRead) {
    EXPECT_EQ(readOrFail(knownFile()).events.size(), 6u);
    // Saved again with LF line ends.
    std::string plain = knownFile();
    std::erase(plain, '\r');
    EXPECT_EQ(readOrFail(plain).events.size(), 6u);

    // A read that found no event leaves an empty file.
    const ExportLog empty = readOrFail("");
    EXPECT_FALSE(empty.opening);
    EXPECT_TRUE(empty.events.empty());

    // Serial numbers are 8 bytes whatever they hold, a line end included.
    ServedLog odd;
    odd.registration = "";
    odd.handsetSerial = std::string("AB\nC\r\xFF\0D", 8);
    odd.controlSerial = "\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF";
    odd.events = {event(2026, 3, 1, 6, 1, 0, 0x10, 120), event(2026, 3, 1, 6, 1, 0, 0x12, 900)};
    const ExportLog read = readOrFail(writtenExport(odd));
    ASSERT_TRUE(read.header);
    EXPECT_EQ(read.opening->registration, "");
    EXPECT_EQ(read.header->handsetSerial, odd.handsetSerial);
    EXPECT_EQ(read.header->controlSerial, odd.controlSerial);
    EXPECT_EQ(read.events.size(), 2u);

    // An interlock may send an empty header.
    odd.header = false;
    const ExportLog headless = readOrFail(writtenExport(odd));
    EXPECT_FALSE(headless.header);
    EXPECT_EQ(headless.events.size(), 2u);
}

TEST(EventTextReader, ReadsEveryTextEveryDecoderPrints) {
    const std::uint16_t values[] = {0,   5,   123,    449,    450,    500,
                                    550, 551, 0x0100, 0x0300, 0x1500, 0xFFFF};
    for (const std::uint8_t logType : {LOG_TYPE_PART1, LOG_TYPE_PART2}) {
        for (const LogGeneration generation : {LogGeneration::Early, LogGeneration::V43}) {
            const bool early = generation == LogGeneration::Early;
            EventTextReader reader(early ? RecordFormat::NoSeconds : RecordFormat::WithSeconds);
            for (const std::uint8_t unit : {1, 2, 3, 5}) {
                const EventDecoder decoder{logType, generation, TestUnit{unit}, {}};
                for (int code = 0; code <= 0xFF; ++code) {
                    for (const std::uint16_t v : values) {
                        auto e = event(2026, 1, 2, 3, 4, 5, static_cast<std::uint8_t>(code), v);
                        std::vector<std::uint8_t> record(e.begin(), e.end());
                        if (early)
                            record.erase(record.begin() + 5);
                        else
                            record.push_back(0);
                        std::uint32_t number = 1;
                        LogTexts texts;
                        if (!decoder.decode(record, number, texts))
                            continue;
                        TextScanner scanner(texts.file);
                        ASSERT_TRUE(takeLineStart(scanner));
                        std::string text = texts.file.substr(scanner.position());
                        text.pop_back();
                        const EventMeaning* meaning = reader.read(text);
                        ASSERT_TRUE(meaning) << text;
                        EXPECT_TRUE(meaning->wording & (logType + 1)) << text;
                        EXPECT_EQ(meaning->reading.has_value(), isBreathTest(meaning->kind))
                            << text;
                    }
                }
            }
        }
    }
}
