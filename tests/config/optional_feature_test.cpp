#include "config/optional_feature_logic.h"
#include "link/codes.h"
#include "written_frames.h"

#include <gtest/gtest.h>

namespace interlock {
namespace {

using testing::Bytes;

class OptionalFeature : public testing::PageCoreTest {};

TEST_F(OptionalFeature, RowsShowTheirBits) {
    state.config.set_quenlix_option(0x02 | 0x04 | 0x20);
    EXPECT_EQ(featureOpening(FeatureForm::Part1, state), (std::vector<bool>{true, false, true}));
    // The override row needs an override time as well as its bit.
    EXPECT_EQ(featureOpening(FeatureForm::Part2, state),
              (std::vector<bool>{true, false, true, false, false}));
    state.service.set_Override_fix_H(1);
    EXPECT_EQ(featureOpening(FeatureForm::Part2, state),
              (std::vector<bool>{true, false, true, false, true}));
    // Without hours an untouched OK clears the override bit.
    state.service.set_Override_fix_H(0);
    featureOk(FeatureForm::Part2, featureOpening(FeatureForm::Part2, state), requester);
    EXPECT_EQ(state.config.quenlix_option(), 0x06);
}

TEST_F(OptionalFeature, OkChangesOnlyTheFormsBits) {
    struct Case {
        FeatureForm form;
        std::uint8_t before;
        std::vector<bool> on;
        std::uint8_t after;
        const char* trace;
    };
    const std::vector<Case> cases{
        // PART 1 leaves bits 0, 3, 5, 6 and 7 as read.
        {FeatureForm::Part1, 0xFF, {false, false, false}, 0xE9, "Radio Button = 0 0 0\r\n"},
        {FeatureForm::Part1, 0x00, {true, true, true}, 0x16, "Radio Button = 1 1 1\r\n"},
        {FeatureForm::Part1, 0x29, {false, true, false}, 0x39, "Radio Button = 0 1 0\r\n"},
        // PART 2 leaves bits 3, 6 and 7.
        {FeatureForm::Part2,
         0xFF,
         {false, false, false, false, false},
         0xC8,
         "Radio Button = 0 0 0 0 0\r\n"},
        {FeatureForm::Part2,
         0x00,
         {true, true, true, true, true},
         0x37,
         "Radio Button = 1 1 1 1 1\r\n"},
    };
    for (const Case& c : cases) {
        state.config.set_quenlix_option(c.before);
        clearRecords();
        featureOk(c.form, c.on, requester);
        EXPECT_EQ(state.config.quenlix_option(), c.after) << int(c.before);
        EXPECT_TRUE(traces.has(c.trace)) << c.trace;
    }
}

TEST_F(OptionalFeature, OkWritesConfigurationThenServiceEachWithAFullSecond) {
    state.service.set_Override_fix_H(321);
    const Te_Service_t serviceBefore = state.service;
    featureOk(FeatureForm::Part1, {true, false, false}, requester);
    EXPECT_EQ(state.service, serviceBefore);
    EXPECT_EQ(channel.writes,
              (std::vector<Bytes>{frameOfRecord(request::WriteConfig, state.config.view()),
                                  frameOfRecord(request::WriteService, state.service.view())}));
    EXPECT_EQ(pauser.waits, (std::vector<Wait>{{1000, 0}, {1000, 0}}));
    EXPECT_TRUE(traces.has("OnBnClickedButtonOptionPart1Ok\r\n"));
}

} // namespace
} // namespace interlock
