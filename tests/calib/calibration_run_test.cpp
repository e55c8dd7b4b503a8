#include "calib/calibration_menu.h"
#include "calib/calibration_result.h"
#include "calib/calibration_stage.h"
#include "calib/dry_gas.h"
#include "calib_fixture.h"
#include "link/codes.h"

namespace interlock {
namespace {

using testing::Bytes;
using testing::frameOf;

// A DRY GAS run against reports as the interlock sends them, judged by the dispatcher.
class CalibrationRun : public testing::CalibTest {
  protected:
    void startRun(DryGasMode mode, std::uint8_t testUnit = 1) {
        beginDryGas(requester, mode);
        state.option.set_test_unit(testUnit);
        run.emplace(requester, mode);
        run->open("");
        run->start("0");
        channel.writes.clear();
    }
    void status(std::uint8_t stage) {
        feed(frameOf(response::RESPONSE_CAL_STATUS, {stage, 0, 0, 0, 0, 0, 0}));
    }
    static Bytes valueRecord(std::uint16_t density, std::uint8_t pass) {
        return {static_cast<std::uint8_t>(density >> 8),
                static_cast<std::uint8_t>(density),
                0x00,
                pass,
                0xF5,
                0x03};
    }
    void value(std::uint16_t density, std::uint8_t pass) {
        feed(frameOf(response::RESPONSE_CAL_VALUE, valueRecord(density, pass)));
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
    EXPECT_EQ(state.calStep, 1);
    status(1); // Warm-Up moves on without being shown
    EXPECT_EQ(state.calStep, 2);
    EXPECT_EQ(texts(), (std::vector<std::string>{"OK", "WAIT", "WAIT"}));
    status(2);
    EXPECT_EQ(texts(), (std::vector<std::string>{"OK", "Blow-Wait", "WAIT"}));
    pass({4, 8}, 497, 2);
    EXPECT_EQ(state.calStep, 3);
    pass({1, 2, 4, 8}, 503, 3);
    EXPECT_EQ(texts(), (std::vector<std::string>{"OK", "OK", "0.05 : OK"}));
    EXPECT_EQ(state.calStep, 5);
    EXPECT_EQ(state.calVerdict, VERDICT_OK);
    EXPECT_EQ(calibrationResultLook(state).colour, ResultColour::Blue);
    // Every report was answered: a time answer per status, an echo per value.
    EXPECT_EQ(channel.writes.size(), 16u);
    EXPECT_EQ(lastWrite(), frameOf(request::CalValueEcho, valueRecord(503, 3)));
}

TEST_F(CalibrationRun, CheckJudgesItsFirstReadingAsTheCheckAndEchoesPassThree) {
    startRun(DryGasMode::Check, 2);
    EXPECT_EQ(state.calStep, 4);
    status(0);
    EXPECT_EQ(texts(), (std::vector<std::string>{"", "", "Pre-Heat"}));
    pass({1, 2, 4, 8}, 500, 1);
    EXPECT_EQ(texts(), (std::vector<std::string>{"", "", "0.5 : OK"}));
    EXPECT_EQ(state.calStep, 5);
    EXPECT_EQ(state.calVerdict, VERDICT_OK);
    EXPECT_EQ(lastWrite(), frameOf(request::CalValueEcho, valueRecord(500, 3)));
}

TEST_F(CalibrationRun, FirstVerdictStaysWhenAFailedPassIsFollowedByAGoodCheck) {
    startRun(DryGasMode::Calibrate);
    pass({0, 1, 2, 4, 8}, 39, 1);
    EXPECT_EQ(state.calFirstResult, "FAIL");
    pass({1, 2, 4, 8}, 497, 2);
    pass({1, 2, 4, 8}, 503, 3);
    EXPECT_EQ(texts(), (std::vector<std::string>{"FAIL", "OK", "0.05 : OK"}));
    EXPECT_EQ(state.calVerdict, VERDICT_FAIL);
    const ResultLook look = calibrationResultLook(state);
    EXPECT_EQ(look.colour, ResultColour::Red);
    EXPECT_TRUE(look.text.starts_with("The calibration hasn't been successfully completed."));
}

TEST_F(CalibrationRun, CheckTextInEveryTestUnit) {
    struct Case {
        std::uint8_t unit;
        std::uint16_t density;
        std::string text;
    };
    const std::vector<Case> cases{
        {1, 500, "0.05 : OK"},  {2, 500, "0.5 : OK"},  {3, 500, "0.25 : OK"},
        {4, 500, "0.50 : OK"},  {5, 500, "0.5 : OK"},  {0, 500, "0.50 : OK"},
        {9, 550, "0.55 : OK"},  {3, 450, "0.22 : OK"}, {1, 449, "449 : FAIL"},
        {2, 551, "551 : FAIL"}, {3, 0, "0 : FAIL"},    {5, 65535, "65535 : FAIL"},
    };
    startRun(DryGasMode::Check);
    for (const Case& c : cases) {
        state.option.set_test_unit(c.unit);
        value(c.density, 1);
        EXPECT_EQ(state.calValueText, c.text) << "unit " << int{c.unit} << ", " << c.density;
    }
}

TEST_F(CalibrationRun, ResultTextsAndClosing) {
    state.calVerdict = VERDICT_OK;
    const ResultLook good = calibrationResultLook(state);
    EXPECT_EQ(good.text, "The calibration has been successfully completed with the time stamp. "
                         "Please press ok to reboot the device and close the PC program.");
    EXPECT_EQ(good.fontHeight, 15);
    state.calVerdict = VERDICT_FAIL;
    EXPECT_EQ(calibrationResultLook(state).text,
              "The calibration hasn't been successfully completed. Verify that the correct "
              "solution was used and try again (The device will reboot and the PC program "
              "will be closed if you press ok).");

    calibrationResultClosed(state, false); // closed by the window's own button
    EXPECT_EQ(state.closeMenuRequest, 1);
    EXPECT_FALSE(traces.has("OnBnClickedButtonCalMessageOk"));
    state.closeMenuRequest = 0;
    calibrationResultClosed(state, true);
    EXPECT_EQ(state.closeMenuRequest, 1);
    EXPECT_TRUE(traces.has("OnBnClickedButtonCalMessageOk\r\n"));
}

TEST_F(CalibrationRun, StageWithoutANameLeavesTheShownTextAlone) {
    const std::vector<std::pair<std::uint8_t, const char*>> named{
        {0, "Pre-Heat"}, {1, "Warm-Up"}, {2, "Blow-Wait"}, {4, "Blowing"}, {8, "Calculating"}};
    for (const auto& [code, name] : named)
        EXPECT_STREQ(stageName(code), name);
    for (const std::uint8_t code : {3, 5, 7, 16, 255})
        EXPECT_EQ(stageName(code), nullptr);

    state.calStep = 2;
    showStage(state, 4);
    showStage(state, 3);
    EXPECT_EQ(state.calSecondResult, "Blowing");
    state.calStep = 3; // being judged: nothing is shown
    showStage(state, 8);
    EXPECT_EQ(state.calSecondResult, "Blowing");
    EXPECT_EQ(state.calValueText, "");
}

} // namespace
} // namespace interlock
