#include "calib/calibration_maths.h"
#include "calib/calibration_reports.h"
#include "calib_fixture.h"
#include "link/codes.h"

using namespace interlock;
using namespace interlock::testing;

namespace {

class Calibration : public CalibTest {
  protected:
    Calibration() { state.calRequest.set_mode(1); } // START was pressed
};

TEST_F(Calibration, StatusIsAnsweredWithTheUtcTime) {
    host.now = {2026, 12, 6, 13, 45, 7};
    status(0);
    ASSERT_EQ(channel.writes.size(), 1u);
    EXPECT_EQ(lastWrite(), frameOf(request::TimeAnswer, {0, 0, 26, 12, 6, 13, 45, 7, 0, 0, 0}));
}

TEST_F(Calibration, StatusNameGoesToTheTextOfTheCurrentStep) {
    state.calStep = CalStep::FirstReading;
    status(0);
    EXPECT_EQ(state.calFirstResult, "Pre-Heat");
    state.calStep = CalStep::SecondReading;
    status(4);
    EXPECT_EQ(state.calSecondResult, "Blowing");
    state.calStep = CalStep::FinalReading;
    status(8);
    EXPECT_EQ(state.calValueText, "Calculating");
    status(3); // no name for this status: the text stays
    EXPECT_EQ(state.calValueText, "Calculating");
    state.calStep = CalStep::FinalDone;
    status(2);
    EXPECT_EQ(state.calFirstResult, "Pre-Heat");
    EXPECT_EQ(state.calSecondResult, "Blowing");
    EXPECT_EQ(state.calValueText, "Calculating");
}

TEST_F(Calibration, WarmUpMovesTheStepOnAfterEachReading) {
    state.calStep = CalStep::FirstDone;
    status(2);
    EXPECT_EQ(state.calStep, CalStep::FirstDone);
    status(1);
    EXPECT_EQ(state.calStep, CalStep::SecondReading);
    status(1);
    EXPECT_EQ(state.calStep, CalStep::SecondReading);
    state.calStep = CalStep::SecondDone;
    status(1);
    EXPECT_EQ(state.calStep, CalStep::FinalReading);
}

TEST_F(Calibration, ReferenceIsDensityTimesFactorTruncated) {
    EXPECT_EQ(calibrationReference(40), 78);
    EXPECT_EQ(calibrationReference(41), 79); // 79.95
    EXPECT_EQ(calibrationReference(100), 195);
    value(503, 1);
    EXPECT_EQ(state.calDensity, 503);
    EXPECT_EQ(state.calReference, 980); // 980.85
    EXPECT_TRUE(traces.has("density = 503\r\n"));
    EXPECT_TRUE(traces.has("use_count = 257\r\n"));
}

TEST_F(Calibration, DensityOutsideThe16BitReferenceRangeFails) {
    // 33,607 is the last density whose reference fits 16 bits; above it the reference
    // wraps, so the plausibility check fails.
    EXPECT_EQ(calibrationReference(33607), 65533);
    EXPECT_STREQ(calibrationStageResult(33607, calibrationReference(33607)), "OK");
    EXPECT_STREQ(calibrationStageResult(40000, calibrationReference(40000)), "FAIL");
}

TEST_F(Calibration, FirstAndSecondReadingNeedADensityOfForty) {
    value(39, 1);
    EXPECT_EQ(state.calFirstResult, "FAIL");
    EXPECT_EQ(state.calStep, CalStep::FirstDone);
    EXPECT_EQ(state.calVerdict, CalVerdict::Fail);

    state.calVerdict = CalVerdict::None;
    value(40, 1);
    EXPECT_EQ(state.calFirstResult, "OK");
    EXPECT_EQ(state.calVerdict, CalVerdict::None);

    value(40, 2);
    EXPECT_EQ(state.calSecondResult, "OK");
    EXPECT_EQ(state.calStep, CalStep::SecondDone);
    value(39, 2);
    EXPECT_EQ(state.calSecondResult, "FAIL");
    EXPECT_EQ(state.calVerdict, CalVerdict::Fail);
}

TEST_F(Calibration, FinalReadingAcceptsFourHundredFiftyToFiveHundredFifty) {
    state.option.set_test_unit(TestUnit::MgPerL);
    value(450, 0);
    EXPECT_EQ(state.calValueText, "0.22 : OK"); // tenth 45 / 200 in single precision
    EXPECT_EQ(state.calTenth, 45);
    EXPECT_EQ(state.calStep, CalStep::FinalDone);
    EXPECT_EQ(state.calVerdict, CalVerdict::Ok);

    EXPECT_EQ(calibrationFinalReading(550, TestUnit::MgPerL).text, "0.28 : OK");
    const std::pair<std::uint16_t, const char*> failing[] = {{551, "551 : FAIL"},
                                                             {449, "449 : FAIL"}};
    for (const auto& [density, text] : failing) {
        const FinalReading reading = calibrationFinalReading(density, TestUnit::MgPerL);
        EXPECT_EQ(reading.text, text);
        EXPECT_EQ(reading.verdict, CalVerdict::Fail);
    }
}

TEST_F(Calibration, FinalValueTextFollowsTheTestUnit) {
    // Density 487: tenth 48.
    const std::pair<std::uint8_t, const char*> units[] = {{1, "0.05 : OK"}, {2, "0.5 : OK"},
                                                          {3, "0.24 : OK"}, {5, "0.5 : OK"},
                                                          {4, "0.49 : OK"}, {0, "0.49 : OK"}};
    for (const auto& [unit, text] : units)
        EXPECT_EQ(calibrationFinalReading(487, TestUnit{unit}).text, text)
            << "test_unit " << int(unit);
}

TEST_F(Calibration, VerdictIsKeptOnceSet) {
    value(451, 7);
    EXPECT_EQ(state.calVerdict, CalVerdict::Ok);
    value(39, 1);
    value(600, 7);
    EXPECT_EQ(state.calVerdict, CalVerdict::Ok);
}

TEST_F(Calibration, CheckModeRaisesTheStageBeforeUse) {
    state.calCheckMode = true;
    value(450, 1); // stage 3: the final reading
    EXPECT_EQ(state.calStep, CalStep::FinalDone);
    EXPECT_EQ(state.calVerdict, CalVerdict::Ok);
    EXPECT_EQ(state.calValue.stage(), 3);
    EXPECT_EQ(lastWrite(), frameOf(request::CalValueEcho, valueRecord(450, 3)));
    EXPECT_TRUE(traces.has("use_count = 257\r\n")) << "traced as received";
}

} // namespace
