#include "calib/altitude.h"
#include "calib/calibration_menu.h"
#include "calib/dry_gas.h"
#include "calib_fixture.h"

namespace interlock {
namespace {

using testing::Bytes;
using testing::frameOf;
using testing::Wait;

class DryGas : public testing::CalibTest {};

TEST_F(DryGas, StartSendsModeAndPressureLowByteFirstThenWaitsInFull) {
    struct Case {
        DryGasMode mode;
        std::string altitude;
        Bytes payload;
        CalStep step;
    };
    const std::vector<Case> cases{
        {DryGasMode::Calibrate, "0", {1, 0xF5, 0x03}, CalStep::FirstReading},    // 1013 hPa
        {DryGasMode::Calibrate, "", {1, 0xF5, 0x03}, CalStep::FirstReading},     // empty box: 0 m
        {DryGasMode::Calibrate, "9999", {1, 0x08, 0x01}, CalStep::FirstReading}, // 264 hPa
        {DryGasMode::Check, "1000", {3, 0x82, 0x03}, CalStep::FinalReading},     // 898 hPa
    };
    for (const Case& c : cases) {
        channel.writes.clear();
        pauser.waits.clear();
        state.calStep = CalStep::FinalDone;
        DryGasRun run(requester, c.mode);
        const StartOutcome outcome = run.start(c.altitude);
        EXPECT_TRUE(outcome.sent);
        EXPECT_TRUE(outcome.message.empty());
        EXPECT_EQ(channel.writes, std::vector<Bytes>{frameOf(request::Calibrate, c.payload)})
            << c.altitude;
        EXPECT_EQ(pauser.waits, (std::vector<Wait>{{300, 0}}));
        EXPECT_EQ(state.calStep, c.step);
    }
    EXPECT_TRUE(traces.has("OnBnClickedButtonStartDrygas\r\nheight = 1000.00\r\n"));
}

TEST_F(DryGas, AltitudeAboveTheLimitIsRefusedButStillCountsAsStarted) {
    for (const std::string& altitude : {std::string("10000"), std::string(40, '9')}) {
        channel.writes.clear();
        state.closeMenuRequest = false;
        DryGasRun run(requester, DryGasMode::Calibrate);
        run.open("");
        const StartOutcome outcome = run.start(altitude);
        EXPECT_FALSE(outcome.sent);
        EXPECT_EQ(outcome.message, kAltitudeMessage);
        EXPECT_TRUE(outcome.clearAltitude);
        EXPECT_TRUE(channel.writes.empty());
        EXPECT_TRUE(pauser.waits.empty());
        EXPECT_EQ(state.calRequest.mode(), 1);
        // Refused or not, closing the page tells the interlock the run has ended.
        run.close();
        EXPECT_EQ(channel.writes, std::vector<Bytes>{frameOf(request::CalibrationEnd)});
        EXPECT_TRUE(state.closeMenuRequest);
    }
    EXPECT_FALSE(traces.has("height"));
}

TEST_F(DryGas, ClosingBeforeStartSendsNothingAndLeavesTheMenusOpen) {
    DryGasRun run(requester, DryGasMode::Calibrate);
    run.open("");
    EXPECT_FALSE(run.closeOnActivation());
    run.close();
    EXPECT_TRUE(channel.writes.empty());
    EXPECT_FALSE(state.closeMenuRequest);
    EXPECT_FALSE(closeMenuAfterDryGas(DryGasMode::Calibrate, state));
}

TEST_F(DryGas, ResultPageRequestClosesThePageAndBothMenus) {
    DryGasRun run(requester, DryGasMode::Calibrate);
    run.open("");
    run.start("120");
    state.closeMenuRequest = true; // the result page's OK
    EXPECT_TRUE(run.closeOnActivation());
    channel.writes.clear();
    run.close();
    run.close(); // closing by activation and by the result page tell the interlock once
    EXPECT_EQ(channel.writes, std::vector<Bytes>{frameOf(request::CalibrationEnd)});
    EXPECT_TRUE(closeMenuAfterDryGas(DryGasMode::Calibrate, state));
}

TEST_F(DryGas, ReopeningForgetsTheEarlierStartButACheckAlwaysClosesTheMenu) {
    DryGasRun run(requester, DryGasMode::Check);
    run.open("");
    run.start("0");
    run.open("");
    channel.writes.clear();
    run.close();
    EXPECT_TRUE(channel.writes.empty());
    EXPECT_TRUE(closeMenuAfterDryGas(DryGasMode::Check, state));
}

TEST_F(DryGas, MenuSetsTheModeAndReadsTheOptionsOrTheServiceRecord) {
    state.calCheckMode = true;
    beginDryGas(requester, DryGasMode::Calibrate);
    EXPECT_FALSE(state.calCheckMode);
    beginDryGas(requester, DryGasMode::Check);
    EXPECT_TRUE(state.calCheckMode);
    beginTimeCheck(requester);
    EXPECT_EQ(channel.writes,
              (std::vector<Bytes>{frameOf(request::ReadOption), frameOf(request::ReadOption),
                                  frameOf(request::ReadService)}));
    EXPECT_EQ(pauser.waits, (std::vector<Wait>{{300, response::TE_OPTION},
                                               {300, response::TE_OPTION},
                                               {300, response::TE_SERVICE}}));
    EXPECT_EQ(traces.text, "OnBnClickedButtonCalibration\r\n"
                           "OnBnClickedButtonCalibrationCheck\r\n"
                           "OnBnClickedButtonCalibrationTimeCheck\r\n");
}

} // namespace
} // namespace interlock
