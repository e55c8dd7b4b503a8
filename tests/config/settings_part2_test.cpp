#include "config/settings_part2_form.h"
#include "config/settings_write.h"
#include "scratch_folder.h"
#include "written_frames.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

using namespace interlock;
using namespace interlock::testing;

namespace {

using E = Part2Edit;
using L = Part2List;
using Texts = std::vector<std::pair<Part2Edit, std::string>>;

template <std::size_t N> Bytes asBytes(const ByteImage<N>& record) {
    return Bytes(record.bytes.begin(), record.bytes.end());
}

std::string invalid(const char* caption) {
    return std::string(caption) +
           " value is not valid. Verify that it was enterd correctly and try again";
}

// A PART 2 control unit as read by the menu, every value valid.
class SettingsPart2 : public PageCoreTest {
  protected:
    SettingsPart2() {
        state.identity.set_DUT(ENUM_DUT_CONTROLBOX);
        // unit mg/L, PASS/FAIL, limit 20, 0.95 L, service date 180
        state.option.bytes = {3, 0, 0xAA, 0xBB, 20, 1, 0x34, 0x12, 180, 0};
        // retest 5-15, multi 3-10, blocking 10/20, start 5, restart 30, lock out on,
        // grace 14, B-S-B; bits 1, 3, 5, 6, 7 set
        state.config.bytes = {0x77, 5, 15, 3,  10, 10,   20,   7, 5,   0,
                              30,   0, 1,  14, 2,  0x55, 0x66, 0, 0xEA};
        // override 48 h, PIN 0427
        state.service.bytes = {26, 5, 4, 3, 2, 1, 9, 48, 0, 0, 4, 2, 7};
        state.gSensor.bytes = {2, 0x11, 0x22, 0x33, 0x44};
        form.open(state);
    }
    void type(const Texts& texts) {
        for (const auto& [edit, text] : texts)
            form.type(edit, text);
    }
    SettingsPart2Form form;
};

TEST_F(SettingsPart2, OpeningShowsTheRecordsAndWhatIsSwitchedOn) {
    const Texts shown = {{E::ServiceDate, "180"},  {E::GracePeriod, "14"},
                         {E::RetestMin, "5"},      {E::MultiRetestMax, "10"},
                         {E::RestartPeriod, "30"}, {E::SecondBlockingTime, "20"},
                         {E::OverrideTime, "48"},  {E::PinCode, "0427"}};
    for (const auto& [edit, text] : shown)
        EXPECT_EQ(form.text(edit), text);
    EXPECT_EQ(form.serviceDateCaption(), "OFF");
    EXPECT_EQ(form.lockOutCaption(), "LOCK OUT OFF");
    EXPECT_EQ(form.overrideCaption(), "Off");
    for (const E edit : {E::ServiceDate, E::MultiRetestMin, E::OverrideTime, E::PinCode})
        EXPECT_TRUE(form.enabled(edit));
    EXPECT_TRUE(form.lockOutEnabled() && form.gSensorEnabled());
    EXPECT_FALSE(form.saveEnabled());
    EXPECT_EQ(form.radio(&Part2Radios::m_Radio_Door_Trigger_Part2), 1);
    EXPECT_EQ(form.radio(&Part2Radios::m_Radio_Driver_Change_Part2), 0);
    EXPECT_EQ(form.radio(&Part2Radios::m_Radio_Override_Part2), 1);

    state.option.set_service_fix_date(0);
    state.config.set_lock_out(0);
    state.config.set_retest_min(0);
    state.config.set_retest_max(0);
    state.service.set_Override_fix_H(0); // bit 5 stays set
    state.identity.set_DUT(ENUM_DUT_HANDSET);
    form.open(state);
    EXPECT_EQ(form.text(E::ServiceDate), "0");
    EXPECT_EQ(form.serviceDateCaption(), "ON");
    EXPECT_EQ(form.lockOutCaption(), "LOCK OUT ON");
    EXPECT_EQ(form.overrideCaption(), "On");
    for (const E edit :
         {E::ServiceDate, E::GracePeriod, E::MultiRetestMin, E::OverrideTime, E::PinCode})
        EXPECT_FALSE(form.enabled(edit)) << static_cast<int>(edit);
    EXPECT_FALSE(form.lockOutEnabled() || form.gSensorEnabled());
    EXPECT_EQ(form.radio(&Part2Radios::m_Radio_Override_Part2), 0);
}

TEST_F(SettingsPart2, ListsSelectWhatWasReadAndFallBackOnStrangeValues) {
    struct Case {
        std::uint8_t* byte;
        std::uint8_t value;
        Part2List list;
        int index;
    };
    std::uint8_t* unit = &state.option.bytes[0];
    std::uint8_t* limit = &state.option.bytes[4];
    // clang-format off
    const Case cases[] = {
        {unit, 1, L::Unit, 2}, {unit, 2, L::Unit, 1}, {unit, 5, L::Unit, 3}, {unit, 4, L::Unit, 0},
        {limit, 5, L::BlockingLimit, 0}, {limit, 50, L::BlockingLimit, 9},
        {limit, 12, L::BlockingLimit, 4}, {limit, 0, L::BlockingLimit, 4},
        {limit, 55, L::BlockingLimit, 4},
        {&state.option.bytes[1], 1, L::DisplayMode, 1}, {&state.option.bytes[1], 2, L::DisplayMode, 0},
        {&state.option.bytes[5], 3, L::BlowLevel, 3}, {&state.option.bytes[5], 4, L::BlowLevel, 0},
        {&state.config.bytes[14], 3, L::TypeOfBlowing, 0},
        {&state.gSensor.bytes[0], 3, L::GSensor, 3}, {&state.gSensor.bytes[0], 9, L::GSensor, 0},
    };
    // clang-format on
    for (const Case& c : cases) {
        const std::uint8_t kept = *c.byte;
        *c.byte = c.value;
        form.open(state);
        EXPECT_EQ(form.selected(c.list), c.index) << int(c.list) << " from " << int(c.value);
        *c.byte = kept;
    }
}

TEST_F(SettingsPart2, UnitChangeKeepsTheBlockingLevelAndUnknownLimitIsWrittenAsTwentyFive) {
    form.select(L::BlockingLimit, 5);
    EXPECT_EQ(listItems(L::BlockingLimit, form.selected(L::Unit))[5], "0.30");
    form.select(L::Unit, 2);
    EXPECT_EQ(listItems(L::BlockingLimit, 2)[form.selected(L::BlockingLimit)], "0.06");
    form.select(L::BlowLevel, 9); // no such item: ignored
    EXPECT_EQ(form.selected(L::BlowLevel), 1);
    form.ok(requester);
    EXPECT_EQ(state.option.test_unit(), TestUnit::PercentBac);
    EXPECT_EQ(state.option.alarm_density(), 30);

    state.option.set_alarm_density(12);
    form.open(state);
    EXPECT_EQ(listItems(L::BlockingLimit, form.selected(L::Unit))[4], "0.05"); // %BAC now
    form.ok(requester);
    EXPECT_EQ(state.option.alarm_density(), 25);
}

TEST_F(SettingsPart2, TypingFiltersDigitsAndRetestDecidesMultiRetest) {
    for (const char* typed : {"12a", " 12", "-5", "1.5", "\xd9\xa3", "+3"}) {
        form.type(E::StartPeriod, "7");
        form.type(E::StartPeriod, typed);
        EXPECT_EQ(form.text(E::StartPeriod), "") << typed;
    }
    type({{E::RetestMin, "0"}, {E::RetestMax, "0"}});
    EXPECT_FALSE(form.enabled(E::MultiRetestMin));
    form.type(E::RetestMax, "x"); // emptied: an empty field changes nothing
    EXPECT_FALSE(form.enabled(E::MultiRetestMin));
    form.type(E::RetestMin, "3");
    EXPECT_TRUE(form.enabled(E::MultiRetestMax));

    form.toggleServiceDate();
    form.toggleLockOut();
    form.toggleOverride();
    EXPECT_FALSE(form.enabled(E::ServiceDate) || form.lockOutEnabled() || form.enabled(E::PinCode));
    EXPECT_EQ(form.lockOutCaption(), "LOCK OUT ON");
    EXPECT_EQ(traces.text, "OnBnClickedButtonServiceDateOnOff\r\nOnBnClickedButtonLockOutOnOff\r\n"
                           "OnBnClickedButtonOverrideOnOff\r\n");
}

TEST_F(SettingsPart2, OkRefusesTheFirstBadValueInOrderAndSendsNothing) {
    struct Case {
        Texts typed;
        std::string message;
        Texts after; // the texts put back (or kept)
    };
    const std::string retestOrder = "RETEST MAX value should be greater than RETEST MIN value. "
                                    "Verify that is was enterd correctly and try again";
    const std::string multiOrder = "MULTI-RETEST MAX value should be greater than "
                                   "MULTI-RETEST-MIN value. Verify that is was entered correctly "
                                   "and try again";
    const std::string startOrder = "Start Period more then Restart Period. Verify that it was "
                                   "enterd correctly and try again";
    // clang-format off
    const Case cases[] = {
        {{{E::ServiceDate, ""}}, "Service Date Value Error", {{E::ServiceDate, ""}}},
        {{{E::ServiceDate, "366"}}, invalid("SERVICE DATE"), {{E::ServiceDate, "1"}}},
        {{{E::ServiceDate, "18446744073709551617"}}, invalid("SERVICE DATE"), {{E::ServiceDate, "1"}}},
        {{{E::GracePeriod, "251"}}, invalid("GRACE PERIOD"), {{E::GracePeriod, "1"}}},
        {{{E::ServiceDate, "400"}, {E::GracePeriod, "400"}}, invalid("SERVICE DATE"), {{E::GracePeriod, "400"}}},
        {{{E::RetestMin, "0"}}, invalid("RETEST MIN"), {{E::RetestMin, ""}}},
        {{{E::RetestMin, "251"}, {E::RetestMax, "251"}}, invalid("RETEST MIN"), {{E::RetestMin, ""}, {E::RetestMax, "251"}}},
        {{{E::RetestMax, "0"}}, invalid("RETEST MAX"), {{E::RetestMax, ""}}},
        {{{E::RetestMin, "5"}, {E::RetestMax, "5"}}, retestOrder, {{E::RetestMin, ""}, {E::RetestMax, ""}}},
        {{{E::MultiRetestMin, "251"}}, invalid("MULTI-RETEST MIN"), {{E::MultiRetestMin, ""}}},
        {{{E::MultiRetestMax, "0"}}, invalid("MULTI-RETEST MAX"), {{E::MultiRetestMax, ""}}},
        // checked even while retest is off and the pair cannot be edited
        {{{E::RetestMin, "0"}, {E::RetestMax, "0"}, {E::MultiRetestMin, "12"}}, multiOrder, {{E::MultiRetestMin, ""}, {E::MultiRetestMax, ""}}},
        {{{E::StartPeriod, "0"}}, invalid("START PERIOD"), {{E::StartPeriod, "3"}}},
        {{{E::StartPeriod, "61"}, {E::RestartPeriod, "60"}}, invalid("START PERIOD"), {{E::StartPeriod, "3"}, {E::RestartPeriod, "60"}}},
        {{{E::RestartPeriod, "241"}}, invalid("RESTART PERIOD"), {{E::RestartPeriod, "30"}}},
        {{{E::StartPeriod, "31"}, {E::RestartPeriod, "30"}}, startOrder, {{E::StartPeriod, "3"}, {E::RestartPeriod, "30"}}},
        {{{E::FirstBlockingTime, "61"}}, invalid("FIRST BLOCKING TIME"), {{E::FirstBlockingTime, "5"}}},
        {{{E::SecondBlockingTime, ""}}, invalid("SECOND BLOCKING TIME"), {{E::SecondBlockingTime, "5"}}},
        {{{E::OverrideTime, "0"}}, invalid("OVERRIDE"), {{E::OverrideTime, "1"}}},
        {{{E::OverrideTime, "2201"}}, invalid("OVERRIDE"), {{E::OverrideTime, "1"}}},
        {{{E::PinCode, "123"}}, invalid("PINCODE"), {{E::PinCode, "8462"}}},
        {{{E::PinCode, "12345"}}, invalid("PINCODE"), {{E::PinCode, "8462"}}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message + " / " + c.typed.front().second);
        form.open(state);
        type(c.typed);
        const OkVerdict verdict = form.ok(requester);
        EXPECT_EQ(verdict.outcome, OkOutcome::Invalid);
        EXPECT_EQ(verdict.message, c.message);
        for (const auto& [edit, text] : c.after)
            EXPECT_EQ(form.text(edit), text) << static_cast<int>(edit);
        EXPECT_TRUE(channel.writes.empty());
        EXPECT_FALSE(form.saveEnabled());
    }
}

TEST_F(SettingsPart2, OkAcceptsTheBoundaries) {
    // clang-format off
    const Texts highest = {{E::ServiceDate, "365"}, {E::GracePeriod, "250"}, {E::RetestMin, "249"},
        {E::RetestMax, "250"}, {E::MultiRetestMin, "1"}, {E::MultiRetestMax, "250"},
        {E::StartPeriod, "60"}, {E::RestartPeriod, "240"}, {E::FirstBlockingTime, "60"},
        {E::SecondBlockingTime, "60"}, {E::OverrideTime, "2200"}, {E::PinCode, "0907"}};
    const Texts lowest = {{E::ServiceDate, "1"}, {E::GracePeriod, "0"}, {E::RetestMin, "1"},
        {E::RetestMax, "2"}, {E::MultiRetestMin, "1"}, {E::MultiRetestMax, "2"},
        {E::StartPeriod, "1"}, {E::RestartPeriod, "1"}, {E::FirstBlockingTime, "1"},
        {E::SecondBlockingTime, "1"}, {E::OverrideTime, "1"}, {E::PinCode, "0000"}};
    // clang-format on
    for (const Texts& texts : {highest, lowest}) {
        type(texts);
        EXPECT_EQ(form.ok(requester).outcome, OkOutcome::Written);
        form.open(state); // what was stored shows as typed
        for (const auto& [edit, text] : texts)
            EXPECT_EQ(form.text(edit), text);
    }
}

TEST_F(SettingsPart2, SwitchedOffValuesAreWrittenAsZeroWhateverTheFieldsHold) {
    form.toggleServiceDate();
    form.toggleOverride();
    type({{E::ServiceDate, "999"},
          {E::GracePeriod, "999"},
          {E::OverrideTime, "0"},
          {E::RetestMin, "0"},
          {E::RetestMax, "0"},
          {E::MultiRetestMin, "7"}});
    EXPECT_EQ(form.ok(requester).outcome, OkOutcome::Written);
    EXPECT_EQ(state.option.service_fix_date(), 0);
    EXPECT_EQ(state.config.lock_out_warning(), 0);
    EXPECT_EQ(state.config.lock_out(), 0);
    EXPECT_EQ(state.config.multi_retest_min(), 0);
    EXPECT_EQ(state.config.multi_retest_max(), 0);
    EXPECT_EQ(state.service.Override_fix_H(), 0);
    form.open(state); // the extra override button reads OFF although bit 5 is set
    EXPECT_EQ(form.radio(&Part2Radios::m_Radio_Override_Part2), 0);
    // Switched on again without a date: refused, nothing sent.
    form.toggleServiceDate();
    channel.writes.clear();
    EXPECT_EQ(form.ok(requester).message, "Service Date Value Error");
    EXPECT_TRUE(channel.writes.empty());
}

TEST_F(SettingsPart2, GroupsPassedBeforeARefusalStayStored) {
    const ProgramState before = state;
    form.toggleLockOut();
    type({{E::ServiceDate, "90"}, {E::RetestMin, "9"}, {E::RetestMax, "9"}, {E::StartPeriod, "7"}});
    form.ok(requester); // retest refused: only the service-date group is stored
    EXPECT_EQ(state.option.service_fix_date(), 90);
    EXPECT_EQ(state.config.lock_out(), 0);
    EXPECT_EQ(state.config.start_period(), before.config.start_period());

    type({{E::RetestMin, "1"}, {E::RetestMax, "9"}, {E::OverrideTime, "100"}, {E::PinCode, "1"}});
    form.ok(requester); // PIN refused: user settings and override time are stored
    EXPECT_EQ(state.config.start_period(), 7);
    EXPECT_EQ(state.service.Override_fix_H(), 100);
    EXPECT_EQ(state.service.PinCode(1), before.service.PinCode(1));

    type({{E::OverrideTime, "3000"}, {E::PinCode, "1111"}});
    form.ok(requester); // override refused: neither override nor PIN change
    EXPECT_EQ(state.service.Override_fix_H(), 100);
    EXPECT_EQ(state.service.PinCode(0), before.service.PinCode(0));
    EXPECT_TRUE(channel.writes.empty());
    EXPECT_EQ(state.config.log_type(), 0);
}

TEST_F(SettingsPart2, OkWritesTheFourRecordsInOrderWithTheirWaits) {
    const ProgramState before = state;
    form.setRadio(&Part2Radios::m_Radio_Door_Trigger_Part2, 0);
    form.setRadio(&Part2Radios::m_Radio_Alarm_Relay_Part2, 1);
    form.setRadio(&Part2Radios::m_Radio_Motor_Cycle_Part2, 1);
    form.setRadio(&Part2Radios::m_Radio_Driver_Change_Part2, 1);
    form.select(L::GSensor, 3);
    const OkVerdict verdict = form.ok(requester);
    EXPECT_EQ(verdict.outcome, OkOutcome::Written);
    EXPECT_EQ(verdict.message, "");
    EXPECT_TRUE(form.saveEnabled());

    Te_Config_Data_t config = before.config;
    config.set_log_type(1);
    config.set_quenlix_option(0xC8 | 0x10 | 0x04 | 0x01 | 0x20); // bits 3, 6, 7 as read
    EXPECT_EQ(state.config, config);
    EXPECT_EQ(state.option, before.option);
    EXPECT_EQ(state.service, before.service);
    EXPECT_EQ(state.gSensor.Sensitivity(), 3);
    EXPECT_EQ(channel.writes, (std::vector<Bytes>{
                                  frameOf(request::WriteConfig, asBytes(state.config)),
                                  frameOf(request::WriteOption, asBytes(state.option)),
                                  frameOf(request::WriteGSensor, asBytes(state.gSensor)),
                                  frameOf(request::WriteService, asBytes(state.service)),
                              }));
    EXPECT_EQ(pauser.waits, (std::vector<Wait>{{1000, 0}, {1000, 0}, {300, 0}, {300, 0}}));
    EXPECT_EQ(traces.text, "OnCbnSelchangeComboGSensor\r\nOnBnClickedButtonSettingPart2Ok\r\n");
}

TEST_F(SettingsPart2, ANackToAnyWriteOrALostLineIsReportedAfterAllWrites) {
    for (std::size_t write = 0; write < 4; ++write) {
        SCOPED_TRACE(write);
        clearRecords();
        form.open(state);
        refuseDuringWait(write);
        const OkVerdict verdict = form.ok(requester);
        EXPECT_EQ(verdict.outcome, OkOutcome::Refused);
        EXPECT_EQ(verdict.message, "The interlock refused the settings write.");
        EXPECT_EQ(channel.writes.size(), 4u);
        EXPECT_FALSE(form.saveEnabled());
    }
    // A line lost meanwhile leaves nothing to save either.
    clearRecords();
    form.open(state);
    loseLineDuringWait(1);
    const OkVerdict lost = form.ok(requester);
    EXPECT_EQ(lost.outcome, OkOutcome::Refused);
    EXPECT_EQ(lost.message, kSettingsWriteLineLost);
    EXPECT_FALSE(form.saveEnabled());
    // Nor does a refusal after a write that went through: the page shows the refused values.
    clearRecords();
    EXPECT_EQ(form.ok(requester).outcome, OkOutcome::Written);
    EXPECT_TRUE(form.saveEnabled());
    refuseDuringWait(4);
    EXPECT_EQ(form.ok(requester).outcome, OkOutcome::Refused);
    EXPECT_FALSE(form.saveEnabled());
}

// The interlock sends its old option record unasked while the page waits after 0x55:
// 0x5B and SAVE still carry the SERVICE DATE and UNIT that OK checked.
TEST_F(SettingsPart2, AnOldRecordArrivingDuringTheWritesChangesNeitherWritesNorSave) {
    const Te_Option_t old = state.option;
    const Bytes oldAnswer = frameOfRecord(response::TE_OPTION, old.view());
    type({{E::ServiceDate, "300"}});
    form.select(L::Unit, 2); // %BAC
    pauser.answers[0] = oldAnswer;
    EXPECT_EQ(form.ok(requester).outcome, OkOutcome::Written);
    Te_Option_t checked = old;
    checked.set_service_fix_date(300);
    checked.set_test_unit(TestUnit::PercentBac);
    ASSERT_EQ(channel.writes.size(), 4u);
    EXPECT_EQ(channel.writes[1], frameOfRecord(request::WriteOption, checked.view()));
    EXPECT_EQ(state.option, checked) << "the program holds what was written";

    const SettingsFileBytes expected = settingsFileBytes(state);
    feed(oldAnswer); // and once more before SAVE
    const ScratchFolder folder("settings-part2-save");
    ASSERT_TRUE(form.save((folder.path / "unit").string()).ok);
    const std::string saved = fileContents(folder.path / "unit.cfg");
    EXPECT_EQ(Bytes(saved.begin(), saved.end()), Bytes(expected.begin(), expected.end()));
    EXPECT_FALSE(form.saveEnabled());
}

} // namespace
