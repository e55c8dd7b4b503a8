#include "calib/calibration_menu.h"
#include "calib/calibration_result.h"
#include "calib/dry_gas.h"
#include "calib_fixture.h"

namespace interlock {
namespace {

using testing::frameOf;

testing::Bytes asBytes(std::span<const std::uint8_t> view) {
    return testing::Bytes(view.begin(), view.end());
}

// A DRY GAS run against reports as the interlock sends them, judged by the dispatcher.
class CalibrationRun : public testing::CalibTest {
  protected:
    void startRun(DryGasMode mode, TestUnit testUnit = TestUnit::PercentBac) {
        beginDryGas(requester, mode);
        state.option.set_test_unit(testUnit);
        run.emplace(requester, mode);
        run->open("");
        run->start("0");
        channel.writes.clear();
    }
    // The stages of one pass and its value, as the interlock reports them.
    void pass(std::initializer_list<std::uint8_t> stages, std::uint16_t density,
              std::uint8_t number) {
        for (const std::uint8_t stage : stages)
            status(stage);
        value(density, number);
    }
    std::vector<std::string> texts() const {
        return {state.calFirstResult, state.calSecondResult, state.calValueText};
    }

    std::optional<DryGasRun> run;
};

TEST_F(CalibrationRun, StagesGoToThePassRunningAndEachPassIsJudged) {
    startRun(DryGasMode::Calibrate);
    status(0);
    EXPECT_EQ(texts(), (std::vector<std::string>{"Pre-Heat", "WAIT", "WAIT"}));
    pass({1, 2, 4, 8}, 506, 1);
    EXPECT_EQ(texts(), (std::vector<std::string>{"OK", "WAIT", "WAIT"}));
    EXPECT_EQ(state.calStep, CalStep::FirstDone);
    status(1); // Warm-Up moves on without being shown
    EXPECT_EQ(state.calStep, CalStep::SecondReading);
    EXPECT_EQ(texts(), (std::vector<std::string>{"OK", "WAIT", "WAIT"}));
    status(2);
    EXPECT_EQ(texts(), (std::vector<std::string>{"OK", "Blow-Wait", "WAIT"}));
    pass({4, 8}, 497, 2);
    EXPECT_EQ(state.calStep, CalStep::SecondDone);
    pass({1, 2, 4, 8}, 503, 3);
    EXPECT_EQ(texts(), (std::vector<std::string>{"OK", "OK", "0.05 : OK"}));
    EXPECT_EQ(state.calStep, CalStep::FinalDone);
    EXPECT_EQ(state.calVerdict, CalVerdict::Ok);
    EXPECT_EQ(calibrationResultLook(state).colour, ResultColour::Blue);
    // Every report was answered: a time answer per status, an echo per value.
    EXPECT_EQ(channel.writes.size(), 16u);
    EXPECT_EQ(lastWrite(), frameOf(request::CalValueEcho, valueRecord(503, 3)));
}

TEST_F(CalibrationRun, FirstVerdictStaysWhenAFailedPassIsFollowedByAGoodCheck) {
    startRun(DryGasMode::Calibrate);
    pass({0, 1, 2, 4, 8}, 39, 1);
    EXPECT_EQ(state.calFirstResult, "FAIL");
    pass({1, 2, 4, 8}, 497, 2);
    pass({1, 2, 4, 8}, 503, 3);
    EXPECT_EQ(texts(), (std::vector<std::string>{"FAIL", "OK", "0.05 : OK"}));
    EXPECT_EQ(state.calVerdict, CalVerdict::Fail);
    const ResultLook look = calibrationResultLook(state);
    EXPECT_EQ(look.colour, ResultColour::Red);
    EXPECT_TRUE(look.text.starts_with("The calibration hasn't been successfully completed."));
}

TEST_F(CalibrationRun, ResultPageOpensOnceOnTheSeventeenthTickAfterTheVerdictOfACalibration) {
    // A calibration gets the result page; a check gets none.
    for (const auto& [mode, pages] :
         {std::pair{DryGasMode::Calibrate, 1}, {DryGasMode::Check, 0}}) {
        SCOPED_TRACE(mode == DryGasMode::Check ? "check" : "calibration");
        state.calVerdict = CalVerdict::None;
        state.calVerdictTicks = 0;
        host.resultPages = 0;
        startRun(mode);
        tick(3);
        EXPECT_EQ(state.calVerdictTicks, 0) << "no verdict, no counting";
        value(39, 1);
        tick(16);
        EXPECT_EQ(host.resultPages, 0);
        tick();
        EXPECT_EQ(host.resultPages, pages);
        tick(100);
        EXPECT_EQ(host.resultPages, pages);
    }
}

TEST_F(CalibrationRun, ReportsBeforeStartAreAnsweredAndJudgedNotAtAll) {
    // The interlock calibrates on its own: every report is stored and answered.
    host.now = {2026, 12, 6, 13, 45, 7};
    state.calCheckMode = true;
    pass({0, 1, 2, 4, 8}, 39, 1);
    EXPECT_EQ(asBytes(state.calValue.view()), valueRecord(39, 1));
    EXPECT_EQ(state.calStatus.test_status(), 8);
    EXPECT_EQ(state.calDensity, 39);
    ASSERT_EQ(channel.writes.size(), 6u);
    EXPECT_EQ(channel.writes[0],
              frameOf(request::TimeAnswer, {0, 0, 26, 12, 6, 13, 45, 7, 0, 0, 0}));
    EXPECT_EQ(lastWrite(), frameOf(request::CalValueEcho, valueRecord(39, 1)))
        << "echoed as received";
    // Nothing of the dialogue moved: no text, no step, no verdict, no page.
    EXPECT_EQ(texts(), (std::vector<std::string>{"", "", ""}));
    EXPECT_EQ(state.calStep, CalStep::FirstReading);
    EXPECT_EQ(state.calVerdict, CalVerdict::None);
    EXPECT_EQ(host.refreshes, 0);
    EXPECT_EQ(traces.count("calibration report 0x15 without a calibration\r\n"), 5);
    EXPECT_EQ(traces.count("calibration report 0x16 without a calibration\r\n"), 1);
    tick(100);
    EXPECT_EQ(host.resultPages, 0);

    // A calibration started afterwards gets its own verdict and its result page.
    state.calCheckMode = false;
    startRun(DryGasMode::Calibrate);
    pass({0, 1, 2, 4, 8}, 506, 1);
    pass({1, 2, 4, 8}, 497, 2);
    pass({1, 2, 4, 8}, 503, 3);
    EXPECT_EQ(texts(), (std::vector<std::string>{"OK", "OK", "0.05 : OK"}));
    EXPECT_EQ(state.calVerdict, CalVerdict::Ok);
    tick(17);
    EXPECT_EQ(host.resultPages, 1);
}

TEST_F(CalibrationRun, ResultTextsAndClosing) {
    state.calVerdict = CalVerdict::Ok;
    const ResultLook good = calibrationResultLook(state);
    EXPECT_EQ(good.text, "The calibration has been successfully completed with the time stamp. "
                         "Please press ok to reboot the device and close the PC program.");
    EXPECT_EQ(good.fontHeight, 15);
    state.calVerdict = CalVerdict::Fail;
    EXPECT_EQ(calibrationResultLook(state).text,
              "The calibration hasn't been successfully completed. Verify that the correct "
              "solution was used and try again (The device will reboot and the PC program "
              "will be closed if you press ok).");

    calibrationResultClosed(state, false); // closed by the window's own button
    EXPECT_TRUE(state.closeMenuRequest);
    EXPECT_TRUE(state.closeProgramRequest);
    EXPECT_FALSE(traces.has("OnBnClickedButtonCalMessageOk"));
    state.closeMenuRequest = false;
    calibrationResultClosed(state, true);
    EXPECT_TRUE(state.closeMenuRequest);
    EXPECT_TRUE(traces.has("OnBnClickedButtonCalMessageOk\r\n"));
}

} // namespace
} // namespace interlock
