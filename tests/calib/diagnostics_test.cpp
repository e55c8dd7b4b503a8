#include "calib/diagnostics.h"
#include "calib_fixture.h"
#include "link/codes.h"
#include "link/local_time.h"
#include "time_zone.h"

#include <array>

namespace interlock {
namespace {

using testing::Bytes;
using testing::frameOf;

DiagnosisRecord report(const std::array<std::uint8_t, 6>& clock) {
    DiagnosisRecord r;
    r.setLe16(1, 60); // control unit: 12.0 V
    std::copy(clock.begin(), clock.end(), r.bytes.begin() + 3);
    r.setLe16(9, 517);   // G-sensor
    r.setLe16(16, 3705); // handset: 13.0 V
    r.bytes[18] = 3;     // Retest_Refuse
    r.bytes[19] = 4;     // Retest_Fail
    r.bytes[20] = 5;     // Starter_Test_Fail
    r.bytes[21] = 1;     // StartWithoutApproved
    r.bytes[22] = 255;   // NoPower
    return r;
}

TEST(DiagnosticsView, EveryFieldFollowsItsFormula) {
    const DiagnosticsView view =
        diagnosticsView(report({26, 1, 1, 0, 30, 0}), ENUM_DUT_CONTROLBOX, 0);
    EXPECT_EQ(view, (DiagnosticsView{"26 / 1 / 1  0:30:0", "12.0V", "13.0V", "517", "1", "255", "3",
                                     "4", "5"}));

    const std::vector<std::tuple<std::uint16_t, std::uint16_t, std::string, std::string>> volts{
        {0, 0, "0.0V", "0.0V"},
        {62, 3715, "12.4V", "13.0V"},
        {63, 3691, "12.6V", "13.0V"}, // 12.95 V rounds up
        {65535, 65535, "13107.0V", "229.9V"}};
    for (const auto& [cb, hs, cbText, hsText] : volts) {
        DiagnosisRecord r;
        r.setLe16(1, cb);
        r.setLe16(16, hs);
        const DiagnosticsView v = diagnosticsView(r, ENUM_DUT_CONTROLBOX, 0);
        EXPECT_EQ(v.controlUnitSupply, cbText) << cb;
        EXPECT_EQ(v.handsetSupply, hsText) << hs;
    }
}

TEST(DiagnosticsView, DateIsShiftedToLocalTimeAcrossMidnightAndYearEnds) {
    const std::time_t now = utcTime(2026, 1, 1, 0, 30, 0);
    struct Case {
        const char* zone;
        std::array<std::uint8_t, 6> clock;
        std::string shown;
    };
    const std::vector<Case> cases{
        {"XXX-1", {26, 1, 1, 0, 30, 0}, "26 / 1 / 1  1:30:0"},
        {"XXX1", {26, 1, 1, 0, 30, 0}, "25 / 12 / 31  23:30:0"},
        {"JST-9", {25, 12, 31, 15, 0, 59}, "26 / 1 / 1  0:0:59"},
        {"XXX10", {24, 3, 1, 2, 5, 7}, "24 / 2 / 29  16:5:7"},
        {"UTC0", {26, 1, 1, 0, 30, 0}, "26 / 1 / 1  0:30:0"},
    };
    for (const Case& c : cases) {
        ScopedTimeZone tz(c.zone);
        const DiagnosisRecord r = report(c.clock);
        EXPECT_EQ(diagnosticsView(r, ENUM_DUT_CONTROLBOX, localOffsetAt(now)).date, c.shown)
            << c.zone;
        EXPECT_EQ(r.u8(6), c.clock[3]); // the held record stays as received
    }
}

TEST(DiagnosticsView, HandsetShowsZerosAndAnUnsetClockShowsAsItStands) {
    ScopedTimeZone tz("JST-9");
    const std::int32_t offset = localOffsetAt(utcTime(2026, 1, 1, 0, 0, 0));
    EXPECT_EQ(diagnosticsView(report({26, 1, 1, 0, 30, 0}), ENUM_DUT_HANDSET, offset).date,
              "0 / 0 / 0  0:0:0");
    EXPECT_EQ(diagnosticsView(report({0, 0, 0, 0, 0, 0}), ENUM_DUT_CONTROLBOX, offset).date,
              "0 / 0 / 0  0:0:0");
    EXPECT_EQ(diagnosticsView(report({255, 255, 255, 255, 255, 255}), ENUM_DUT_NONE, offset).date,
              "255 / 255 / 255  255:255:255");
    EXPECT_EQ(diagnosticsView(report({26, 1, 1, 24, 0, 0}), ENUM_DUT_CONTROLBOX, offset).date,
              "26 / 1 / 1  24:0:0");
}

class DiagnosisControl : public testing::CalibTest {};

TEST_F(DiagnosisControl, EachTickCarriesTheBoxesAndThePart1PageSwitchesOffWhenItCloses) {
    diagnosisTick(state, false, false);
    diagnosisTick(state, true, false);
    diagnosisTick(state, true, true);
    diagnosticsClosed(state, DiagnosticsPage::Part1);
    EXPECT_EQ(channel.writes, (std::vector<Bytes>{frameOf(request::DiagnosisControl, {1, 0, 0}),
                                                  frameOf(request::DiagnosisControl, {1, 1, 0}),
                                                  frameOf(request::DiagnosisControl, {1, 1, 1}),
                                                  frameOf(request::DiagnosisControl, {0, 0, 0})}));
    EXPECT_EQ(state.diagnosisControl, (std::array<std::uint8_t, 2>{0, 0}));
    EXPECT_TRUE(pauser.waits.empty()); // the timer never holds the page
}

TEST_F(DiagnosisControl, Part2PageClosesSilentlyAndKeepsTheSwitchesForTheDownload) {
    diagnosisTick(state, true, false);
    channel.writes.clear();
    diagnosticsClosed(state, DiagnosticsPage::Part2);
    EXPECT_TRUE(channel.writes.empty());
    EXPECT_EQ(state.diagnosisControl, (std::array<std::uint8_t, 2>{1, 0}));
}

} // namespace
} // namespace interlock
