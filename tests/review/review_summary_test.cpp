// What the review makes of a log with known events: counts, period, highest
// reading, the filters and the report's text.
#include "review/event_filter.h"
#include "review/export_reader.h"
#include "review/report_html.h"
#include "review/review_summary.h"
#include "written_export.h"

#include <gtest/gtest.h>

using namespace interlock;
using namespace interlock::review;
using namespace interlock::testing;

namespace {
ExportLog readBack(const ServedLog& served) {
    auto result = readExport(writtenExport(served));
    if (const auto* error = std::get_if<ReadError>(&result)) {
        ADD_FAILURE() << "line " << error->line << ": " << error->reason;
        return {};
    }
    return std::get<ExportLog>(std::move(result));
}

// Every kind a PART 2 interlock logs, stamped as recorded; the clock was set back
// once, so the earliest event is not the first.
ExportLog part2Log() {
    ServedLog served;
    served.firmware = 0x0403;
    served.registration = "<AB&12>";
    served.events = {
        event(2026, 3, 1, 6, 0, 0, 0x27, 0x0500), event(2026, 3, 1, 6, 1, 0, 0x10, 120),
        event(2026, 3, 1, 6, 2, 0, 0x31, 0x0100), event(2026, 3, 1, 6, 3, 0, 0x30),
        event(2026, 3, 1, 6, 10, 0, 0x1A, 50),    event(2026, 3, 1, 6, 20, 0, 0x1C, 600),
        event(2026, 3, 1, 6, 30, 0, 0x6C),        event(2026, 3, 1, 6, 40, 0, 0x20, 0x0300),
        event(2026, 3, 1, 6, 50, 0, 0x55),        event(2026, 2, 27, 5, 0, 0, 0x6C),
        event(2026, 2, 27, 5, 1, 0, 0x7B),        event(2026, 2, 27, 5, 2, 0, 0xA0),
        event(2026, 2, 27, 6, 2, 0, 0xA1),        event(2026, 3, 2, 7, 0, 0, 0x12, 900),
        event(2026, 3, 2, 7, 5, 0, 0x10, 100),    event(2026, 3, 2, 8, 0, 0, 0x99, 500),
        event(2026, 3, 2, 8, 5, 0, 0x99, 600),    event(2026, 3, 2, 9, 0, 0, 0x2D),
    };
    return readBack(served);
}

ExportLog part1Log() {
    ServedLog served;
    served.logType = LOG_TYPE_PART1;
    served.firmware = 0x0402;
    served.events = {
        event(2026, 3, 1, 6, 0, 0, 0x7A),         event(2026, 3, 1, 6, 1, 0, 0xA5),
        event(2026, 3, 1, 6, 2, 0, 0x3E),         event(2026, 3, 1, 6, 3, 0, 0x3F),
        event(2026, 3, 1, 6, 4, 0, 0x20, 0x0200), event(2026, 3, 1, 6, 5, 0, 0x63),
        event(2026, 3, 1, 6, 6, 0, 0x28, 0x0C00), event(2026, 3, 1, 6, 7, 0, 0x11, 70),
    };
    return readBack(served);
}

std::string valueOf(const std::vector<SummaryRow>& rows, std::string_view caption) {
    for (const SummaryRow& row : rows) {
        if (row.caption == caption)
            return row.value;
    }
    ADD_FAILURE() << "no row " << caption;
    return {};
}

std::vector<std::uint32_t> numbers(const ExportLog& log, const std::vector<std::uint32_t>& shown) {
    std::vector<std::uint32_t> out;
    for (const std::uint32_t i : shown)
        out.push_back(log.events[i].number);
    return out;
}
} // namespace

TEST(ReviewSummary, CountsEveryKindOfAPart2Log) {
    const ExportLog log = part2Log();
    ASSERT_EQ(log.events.size(), 18u);
    const ReviewSummary summary = summarize(log);
    using enum EventKind;
    const std::pair<EventKind, std::size_t> expected[] = {
        {TestPassed, 2},        {TestFailed, 1},    {RetestPassed, 1},  {RetestFailed, 1},
        {RetestMissed, 2},      {RetestRefused, 1}, {InvalidSample, 0}, {StartWithoutApproval, 0},
        {Tampering, 2},         {Power, 2},         {Override, 2},      {Calibration, 1},
        {CalibrationFailed, 1}, {Unknown, 0},       {Other, 2}};
    for (const auto& [kind, count] : expected)
        EXPECT_EQ(summary.count(kind), count) << kindCaption(kind);
    EXPECT_EQ(summary.violations(), 7u);

    const auto counts = countRows(log, summary);
    EXPECT_EQ(valueOf(counts, "Violations"), "7");
    EXPECT_EQ(valueOf(counts, "Highest reading"), "0.090 %BAC at 2026-03-02 07:00:00");
    const auto identity = identityRows(log, summary);
    EXPECT_EQ(valueOf(identity, "Registration number"), "<AB&12>");
    EXPECT_EQ(valueOf(identity, "Handset S/N"), "HS000123");
    EXPECT_EQ(valueOf(identity, "Firmware"), "4.3");
    EXPECT_EQ(valueOf(identity, "Period"), "2026-02-27 05:00:00 to 2026-03-02 09:00:00");
    EXPECT_EQ(valueOf(identity, "Events"), "18");
    EXPECT_EQ(valueOf(identity, "Interlock counters"),
              "StartWithoutApproved 4, NoPower 5, Starter_Test_Fail 3, Retest_Refuse 1, "
              "Retest_Fail 2");
}

TEST(ReviewSummary, CountsStartsWithoutApprovalAndUnknownCodesOfAPart1Log) {
    const ExportLog log = part1Log();
    ASSERT_EQ(log.events.size(), 8u);
    const ReviewSummary summary = summarize(log);
    EXPECT_EQ(summary.count(EventKind::StartWithoutApproval), 2u);
    EXPECT_EQ(summary.count(EventKind::Unknown), 2u);
    EXPECT_EQ(summary.count(EventKind::InvalidSample), 1u);
    EXPECT_EQ(summary.count(EventKind::Tampering), 1u);
    EXPECT_EQ(summary.count(EventKind::Power), 1u);
    EXPECT_EQ(summary.violations(), 3u);
    // Early records have no seconds, and their values no unit but BAC.
    EXPECT_EQ(valueOf(countRows(log, summary), "Highest reading"), "0.007 BAC at 2026-03-01 06:07");
}

TEST(ReviewSummary, AnEmptyLogSaysSo) {
    const ExportLog empty;
    const ReviewSummary summary = summarize(empty);
    EXPECT_EQ(valueOf(identityRows(empty, summary), "Events"),
              "none: the log was empty when it was read");
    EXPECT_EQ(valueOf(countRows(empty, summary), "Highest reading"), "no breath test");
}

TEST(EventFilter, KindsAndTextNarrowTheList) {
    const ExportLog log = part2Log();
    using Numbers = std::vector<std::uint32_t>;
    EXPECT_EQ(numbers(log, filterEvents(log, KindFilter::All, "")).size(), 18u);
    EXPECT_EQ(numbers(log, filterEvents(log, KindFilter::Violations, "")),
              (Numbers{6, 7, 8, 9, 10, 11, 14}));
    EXPECT_EQ(numbers(log, filterEvents(log, KindFilter::BreathTests, "")),
              (Numbers{2, 5, 6, 14, 15}));
    EXPECT_EQ(numbers(log, filterEvents(log, KindFilter::FailedTests, "")), (Numbers{6, 14}));
    EXPECT_EQ(numbers(log, filterEvents(log, KindFilter::Calibrations, "")), (Numbers{16, 17}));
    // Text: any letter case, the event text or the time as shown.
    EXPECT_EQ(numbers(log, filterEvents(log, KindFilter::All, "TAMPERING")), (Numbers{9, 11}));
    EXPECT_EQ(numbers(log, filterEvents(log, KindFilter::Violations, "2026-03-02")), (Numbers{14}));
    EXPECT_EQ(numbers(log, filterEvents(log, KindFilter::Violations, "no such text")), Numbers{});
    EXPECT_EQ(numbers(part1Log(), filterEvents(part1Log(), KindFilter::Unknown, "")),
              (Numbers{3, 4}));
}

TEST(ReportHtml, HoldsTheSummaryAndEveryViolationOnAPageOfTheirOwn) {
    const ExportLog log = part2Log();
    const std::string html = reportHtml(log, summarize(log), "260301-060000-<AB&12>.csv", "chart");
    EXPECT_NE(html.find("&lt;AB&amp;12&gt;"), std::string::npos);
    EXPECT_EQ(html.find("<AB&12>"), std::string::npos);
    EXPECT_NE(html.find("<img src=\"chart\""), std::string::npos);
    const std::size_t violations = html.find("page-break-before: always\">Violations (7)");
    ASSERT_NE(violations, std::string::npos);
    std::size_t rows = 0;
    for (std::size_t at = html.find("<tr><td>", violations); at != std::string::npos;
         at = html.find("<tr><td>", at + 1))
        ++rows;
    EXPECT_EQ(rows, 7u);
    EXPECT_NE(html.find("Recurring breathing test Failed  0.060 %BAC"), std::string::npos);
    EXPECT_EQ(defaultReportPath("/logs/260301-060000-AB12.csv"),
              std::filesystem::path("/logs/260301-060000-AB12.pdf"));
}
