#include "config/settings_part2_form.h"
#include "config/write_outcome.h"
#include "settings_fixture.h"

#include <filesystem>
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
class SettingsPart2 : public SettingsTest {
  protected:
    SettingsPart2() {
        state.identity.set_DUT(ENUM_DUT_CONTROLBOX);
        Te_Option_t& o = state.option;
        o.bytes = {3, 0, 0xAA, 0xBB, 20, 1, 0x34, 0x12, 0, 0};
        o.set_service_fix_date(180);
        Te_Config_Data_t& c = state.config;
        c.bytes[0] = 0x77;
        c.set_retest_min(5);
        c.set_retest_max(15);
        c.set_multi_retest_min(3);
        c.set_multi_retest_max(10);
        c.set_first_blocking_time(10);
        c.set_second_blocking_time(20);
        c.set_early_service_recall(7);
        c.set_start_period(5);
        c.set_restart_period(30);
        c.set_lock_out(1);
        c.set_lock_out_warning(14);
        c.set_circumvention_mode(2);
        c.bytes[15] = 0x55;
        c.bytes[16] = 0x66;
        c.set_quenlix_option(0xC8 | 0x02 | 0x20); // bits 3, 6, 7 are not the page's
        Te_Service_t& s = state.service;
        s.bytes = {26, 5, 4, 3, 2, 1, 9};
        s.set_Override_fix_H(48);
        for (std::size_t i = 0; i < 4; ++i)
            s.set_PinCode(i, static_cast<std::uint8_t>(std::array{0, 4, 2, 7}[i]));
        state.gSensor.bytes = {2, 0x11, 0x22, 0x33, 0x44};
        form.open(state);
    }
    void type(const Texts& texts) {
        for (const auto& [edit, text] : texts)
            form.type(edit, text);
    }

    SettingsPart2Form form;
};

TEST_F(SettingsPart2, OpeningShowsTheRecords) {
    EXPECT_EQ(form.text(E::ServiceDate), "180");
    EXPECT_EQ(form.text(E::GracePeriod), "14");
    EXPECT_EQ(form.text(E::RetestMin), "5");
    EXPECT_EQ(form.text(E::MultiRetestMax), "10");
    EXPECT_EQ(form.text(E::RestartPeriod), "30");
    EXPECT_EQ(form.text(E::SecondBlockingTime), "20");
    EXPECT_EQ(form.text(E::OverrideTime), "48");
    EXPECT_EQ(form.text(E::PinCode), "0427"); // leading zero kept
    EXPECT_EQ(form.serviceDateCaption(), "OFF");
    EXPECT_EQ(form.lockOutCaption(), "LOCK OUT OFF");
    EXPECT_EQ(form.overrideCaption(), "Off");
    EXPECT_TRUE(form.enabled(E::ServiceDate) && form.enabled(E::GracePeriod));
    EXPECT_TRUE(form.lockOutEnabled());
    EXPECT_TRUE(form.enabled(E::MultiRetestMin) && form.enabled(E::MultiRetestMax));
    EXPECT_TRUE(form.enabled(E::OverrideTime) && form.enabled(E::PinCode));
    EXPECT_TRUE(form.gSensorEnabled());
    EXPECT_FALSE(form.saveEnabled());
    EXPECT_EQ(form.selected(L::Unit), 0); // mg/L
    EXPECT_EQ(form.selected(L::BlockingLimit), 3);
    EXPECT_EQ(form.selected(L::BlowLevel), 1);
    EXPECT_EQ(form.selected(L::TypeOfBlowing), 2);
    EXPECT_EQ(form.selected(L::GSensor), 2);
    EXPECT_EQ(form.radio(&Part2Radios::m_Radio_Door_Trigger_Part2), 1);
    EXPECT_EQ(form.radio(&Part2Radios::m_Radio_Driver_Change_Part2), 0);
    EXPECT_EQ(form.radio(&Part2Radios::m_Radio_Override_Part2), 1);
}

TEST_F(SettingsPart2, OpeningWithEverythingSwitchedOff) {
    state.option.set_service_fix_date(0);
    state.config.set_lock_out(0);
    state.config.set_retest_min(0);
    state.config.set_retest_max(0);
    state.service.set_Override_fix_H(0); // bit 5 stays set
    state.identity.set_DUT(ENUM_DUT_HANDSET);
    form.open(state);
    EXPECT_EQ(form.text(E::ServiceDate), "0");
    EXPECT_EQ(form.serviceDateCaption(), "ON");
    EXPECT_FALSE(form.enabled(E::ServiceDate) || form.enabled(E::GracePeriod));
    EXPECT_FALSE(form.lockOutEnabled());
    EXPECT_EQ(form.lockOutCaption(), "LOCK OUT ON");
    EXPECT_FALSE(form.enabled(E::MultiRetestMin) || form.enabled(E::MultiRetestMax));
    EXPECT_EQ(form.overrideCaption(), "On");
    EXPECT_FALSE(form.enabled(E::OverrideTime) || form.enabled(E::PinCode));
    EXPECT_EQ(form.radio(&Part2Radios::m_Radio_Override_Part2), 0);
    EXPECT_FALSE(form.gSensorEnabled());
}

struct ListCase {
    const char* name;
    std::function<void(ProgramState&)> read;
    Part2List list;
    int index;
};

TEST_F(SettingsPart2, ListsSelectWhatWasReadAndFallBackOnStrangeValues) {
    const ListCase cases[] = {
        {"%BAC", [](ProgramState& s) { s.option.set_test_unit(1); }, L::Unit, 2},
        {"g/L", [](ProgramState& s) { s.option.set_test_unit(2); }, L::Unit, 1},
        {"mg/100ml", [](ProgramState& s) { s.option.set_test_unit(5); }, L::Unit, 3},
        {"unit 4", [](ProgramState& s) { s.option.set_test_unit(4); }, L::Unit, 0},
        {"limit 5", [](ProgramState& s) { s.option.set_alarm_density(5); }, L::BlockingLimit, 0},
        {"limit 50", [](ProgramState& s) { s.option.set_alarm_density(50); }, L::BlockingLimit, 9},
        {"limit 12", [](ProgramState& s) { s.option.set_alarm_density(12); }, L::BlockingLimit, 4},
        {"limit 0", [](ProgramState& s) { s.option.set_alarm_density(0); }, L::BlockingLimit, 4},
        {"limit 55", [](ProgramState& s) { s.option.set_alarm_density(55); }, L::BlockingLimit, 4},
        {"mode 1", [](ProgramState& s) { s.option.set_test_mode(1); }, L::DisplayMode, 1},
        {"mode 2", [](ProgramState& s) { s.option.set_test_mode(2); }, L::DisplayMode, 0},
        {"blow 3", [](ProgramState& s) { s.option.set_blow_amount(3); }, L::BlowLevel, 3},
        {"blow 4", [](ProgramState& s) { s.option.set_blow_amount(4); }, L::BlowLevel, 0},
        {"type 3", [](ProgramState& s) { s.config.set_circumvention_mode(3); }, L::TypeOfBlowing,
         0},
        {"g 3", [](ProgramState& s) { s.gSensor.set_Sensitivity(3); }, L::GSensor, 3},
        {"g 9", [](ProgramState& s) { s.gSensor.set_Sensitivity(9); }, L::GSensor, 0},
    };
    for (const ListCase& c : cases) {
        SCOPED_TRACE(c.name);
        ProgramState read = state;
        c.read(read);
        form.open(read);
        EXPECT_EQ(form.selected(c.list), c.index);
    }
}

TEST_F(SettingsPart2, AlarmDensityTwelveIsWrittenAsTwentyFive) {
    state.option.set_alarm_density(12);
    form.open(state);
    EXPECT_EQ(listItems(L::BlockingLimit, form.selected(L::Unit))[4], "0.25");
    EXPECT_EQ(form.ok(requester).outcome, OkOutcome::Written);
    EXPECT_EQ(state.option.alarm_density(), 25);
}

TEST_F(SettingsPart2, UnitChangeKeepsTheBlockingLevel) {
    form.select(L::BlockingLimit, 5);
    EXPECT_EQ(listItems(L::BlockingLimit, form.selected(L::Unit))[5], "0.30");
    form.select(L::Unit, 2);
    EXPECT_EQ(listItems(L::BlockingLimit, form.selected(L::Unit))[form.selected(L::BlockingLimit)],
              "0.06");
    form.select(L::Unit, 3);
    form.select(L::BlowLevel, 9); // no such item: ignored
    EXPECT_EQ(form.selected(L::BlowLevel), 1);
    EXPECT_TRUE(traces.has("OnCbnSelchangeComboUnit\r\nOnCbnSelchangeComboUnit\r\n"
                           "OnCbnSelchangeComboBlowLevel\r\n"));
    form.ok(requester);
    EXPECT_EQ(state.option.test_unit(), 5);
    EXPECT_EQ(state.option.alarm_density(), 30);
}

TEST_F(SettingsPart2, AnyCharacterButADigitEmptiesTheField) {
    for (const char* typed : {"12a", " 12", "-5", "1.5", "\xd9\xa3", "+3"}) {
        form.type(E::StartPeriod, "7");
        form.type(E::StartPeriod, typed);
        EXPECT_EQ(form.text(E::StartPeriod), "") << typed;
    }
    form.type(E::PinCode, "0012");
    EXPECT_EQ(form.text(E::PinCode), "0012");
}

TEST_F(SettingsPart2, RetestFieldsWithTextDecideWhetherMultiRetestIsEditable) {
    type({{E::RetestMin, "0"}, {E::RetestMax, "0"}});
    EXPECT_FALSE(form.enabled(E::MultiRetestMin));
    form.type(E::RetestMax, "x"); // emptied: an empty field changes nothing
    EXPECT_FALSE(form.enabled(E::MultiRetestMin));
    form.type(E::RetestMin, "3");
    EXPECT_TRUE(form.enabled(E::MultiRetestMax));
    form.type(E::RetestMin, "");
    EXPECT_TRUE(form.enabled(E::MultiRetestMax));
}

TEST_F(SettingsPart2, ButtonsFlipTheirFlagsAndNameTheNextAction) {
    form.toggleServiceDate();
    EXPECT_EQ(form.serviceDateCaption(), "ON");
    EXPECT_FALSE(form.enabled(E::ServiceDate) || form.lockOutEnabled());
    form.toggleLockOut();
    EXPECT_EQ(form.lockOutCaption(), "LOCK OUT ON");
    form.toggleOverride();
    EXPECT_EQ(form.overrideCaption(), "On");
    EXPECT_FALSE(form.enabled(E::PinCode));
    EXPECT_EQ(traces.text, "OnBnClickedButtonServiceDateOnOff\r\nOnBnClickedButtonLockOutOnOff\r\n"
                           "OnBnClickedButtonOverrideOnOff\r\n");
}

struct RefusalCase {
    const char* name;
    Texts typed;
    std::string message;
    Texts after; // the texts put back (or kept)
};

TEST_F(SettingsPart2, OkRefusesTheFirstBadValueInOrderAndSendsNothing) {
    const std::string retestOrder = "RETEST MAX value should be greater than RETEST MIN value. "
                                    "Verify that is was enterd correctly and try again";
    const std::string multiOrder = "MULTI-RETEST MAX value should be greater than "
                                   "MULTI-RETEST-MIN value. Verify that is was entered correctly "
                                   "and try again";
    const RefusalCase cases[] = {
        {"date 0", {{E::ServiceDate, ""}}, "Service Date Value Error", {{E::ServiceDate, ""}}},
        {"date 366", {{E::ServiceDate, "366"}}, invalid("SERVICE DATE"), {{E::ServiceDate, "1"}}},
        {"date huge",
         {{E::ServiceDate, "18446744073709551617"}},
         invalid("SERVICE DATE"),
         {{E::ServiceDate, "1"}}},
        {"grace 251", {{E::GracePeriod, "251"}}, invalid("GRACE PERIOD"), {{E::GracePeriod, "1"}}},
        {"date before grace",
         {{E::ServiceDate, "400"}, {E::GracePeriod, "400"}},
         invalid("SERVICE DATE"),
         {{E::GracePeriod, "400"}}},
        {"retest min 0", {{E::RetestMin, "0"}}, invalid("RETEST MIN"), {{E::RetestMin, ""}}},
        {"retest min 251",
         {{E::RetestMin, "251"}, {E::RetestMax, "251"}},
         invalid("RETEST MIN"),
         {{E::RetestMin, ""}, {E::RetestMax, "251"}}},
        {"retest max 0", {{E::RetestMax, "0"}}, invalid("RETEST MAX"), {{E::RetestMax, ""}}},
        {"retest equal",
         {{E::RetestMin, "5"}, {E::RetestMax, "5"}},
         retestOrder,
         {{E::RetestMin, ""}, {E::RetestMax, ""}}},
        {"multi min 251",
         {{E::MultiRetestMin, "251"}},
         invalid("MULTI-RETEST MIN"),
         {{E::MultiRetestMin, ""}}},
        {"multi max 0",
         {{E::MultiRetestMax, "0"}},
         invalid("MULTI-RETEST MAX"),
         {{E::MultiRetestMax, ""}}},
        {"multi checked while retest is off",
         {{E::RetestMin, "0"}, {E::RetestMax, "0"}, {E::MultiRetestMin, "12"}},
         multiOrder,
         {{E::MultiRetestMin, ""}, {E::MultiRetestMax, ""}}},
        {"start 0", {{E::StartPeriod, "0"}}, invalid("START PERIOD"), {{E::StartPeriod, "3"}}},
        {"start 61 before comparing",
         {{E::StartPeriod, "61"}, {E::RestartPeriod, "60"}},
         invalid("START PERIOD"),
         {{E::StartPeriod, "3"}, {E::RestartPeriod, "60"}}},
        {"restart 241",
         {{E::RestartPeriod, "241"}},
         invalid("RESTART PERIOD"),
         {{E::RestartPeriod, "30"}}},
        {"start above restart",
         {{E::StartPeriod, "31"}, {E::RestartPeriod, "30"}},
         "Start Period more then Restart Period. Verify that it was enterd correctly and try again",
         {{E::StartPeriod, "3"}, {E::RestartPeriod, "30"}}},
        {"first 61",
         {{E::FirstBlockingTime, "61"}},
         invalid("FIRST BLOCKING TIME"),
         {{E::FirstBlockingTime, "5"}}},
        {"second 0",
         {{E::SecondBlockingTime, ""}},
         invalid("SECOND BLOCKING TIME"),
         {{E::SecondBlockingTime, "5"}}},
        {"override 0", {{E::OverrideTime, "0"}}, invalid("OVERRIDE"), {{E::OverrideTime, "1"}}},
        {"override 2201",
         {{E::OverrideTime, "2201"}},
         invalid("OVERRIDE"),
         {{E::OverrideTime, "1"}}},
        {"pin 3", {{E::PinCode, "123"}}, invalid("PINCODE"), {{E::PinCode, "8462"}}},
        {"pin 5", {{E::PinCode, "12345"}}, invalid("PINCODE"), {{E::PinCode, "8462"}}},
        {"pin empty", {{E::PinCode, ""}}, invalid("PINCODE"), {{E::PinCode, "8462"}}},
    };
    for (const RefusalCase& c : cases) {
        SCOPED_TRACE(c.name);
        channel.writes.clear();
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

struct AcceptCase {
    const char* name;
    Texts typed;
    std::function<void(const ProgramState&)> check;
};

TEST_F(SettingsPart2, OkAcceptsTheBoundaries) {
    const AcceptCase cases[] = {
        {"highest",
         {{E::ServiceDate, "365"},
          {E::GracePeriod, "250"},
          {E::RetestMin, "249"},
          {E::RetestMax, "250"},
          {E::MultiRetestMin, "1"},
          {E::MultiRetestMax, "250"},
          {E::StartPeriod, "60"},
          {E::RestartPeriod, "240"},
          {E::FirstBlockingTime, "60"},
          {E::SecondBlockingTime, "60"},
          {E::OverrideTime, "2200"}},
         [](const ProgramState& s) {
             EXPECT_EQ(s.option.service_fix_date(), 365);
             EXPECT_EQ(s.config.lock_out_warning(), 250);
             EXPECT_EQ(s.config.retest_max(), 250);
             EXPECT_EQ(s.config.multi_retest_max(), 250);
             EXPECT_EQ(s.config.restart_period(), 240);
             EXPECT_EQ(s.service.Override_fix_H(), 2200);
         }},
        {"lowest",
         {{E::ServiceDate, "1"},
          {E::GracePeriod, "0"},
          {E::RetestMin, "1"},
          {E::RetestMax, "2"},
          {E::StartPeriod, "1"},
          {E::RestartPeriod, "1"},
          {E::FirstBlockingTime, "1"},
          {E::SecondBlockingTime, "1"},
          {E::OverrideTime, "1"},
          {E::PinCode, "0000"}},
         [](const ProgramState& s) {
             EXPECT_EQ(s.config.lock_out_warning(), 0);
             EXPECT_EQ(s.config.start_period(), 1);
             EXPECT_EQ(s.service.PinCode(0), 0);
         }},
        {"start equals restart",
         {{E::StartPeriod, "60"}, {E::RestartPeriod, "60"}},
         [](const ProgramState& s) { EXPECT_EQ(s.config.start_period(), 60); }},
        {"retest off writes multi-retest 0 whatever it holds",
         {{E::RetestMin, "0"}, {E::RetestMax, "0"}, {E::MultiRetestMin, "7"}},
         [](const ProgramState& s) {
             EXPECT_EQ(s.config.retest_min(), 0);
             EXPECT_EQ(s.config.multi_retest_min(), 0);
             EXPECT_EQ(s.config.multi_retest_max(), 0);
         }},
        {"pin digits in display order",
         {{E::PinCode, "0907"}},
         [](const ProgramState& s) {
             EXPECT_EQ(s.service.PinCode(0), 0);
             EXPECT_EQ(s.service.PinCode(1), 9);
             EXPECT_EQ(s.service.PinCode(3), 7);
         }},
    };
    for (const AcceptCase& c : cases) {
        SCOPED_TRACE(c.name);
        form.open(state);
        type(c.typed);
        EXPECT_EQ(form.ok(requester).outcome, OkOutcome::Written);
        c.check(state);
    }
}

TEST_F(SettingsPart2, SwitchedOffValuesAreWrittenAsZeroWhateverTheFieldsHold) {
    form.toggleServiceDate();
    form.toggleOverride();
    type({{E::ServiceDate, "999"}, {E::GracePeriod, "999"}, {E::OverrideTime, "0"}});
    EXPECT_EQ(form.ok(requester).outcome, OkOutcome::Written);
    EXPECT_EQ(state.option.service_fix_date(), 0);
    EXPECT_EQ(state.config.lock_out_warning(), 0);
    EXPECT_EQ(state.config.lock_out(), 0);
    EXPECT_EQ(state.service.Override_fix_H(), 0);
    form.open(state); // the extra override button now reads OFF although bit 5 is set
    EXPECT_EQ(state.config.quenlix_option() & 0x20, 0x20);
    EXPECT_EQ(form.radio(&Part2Radios::m_Radio_Override_Part2), 0);
}

TEST_F(SettingsPart2, ServiceDateSwitchedOnWithoutADateIsRefused) {
    state.option.set_service_fix_date(0);
    form.open(state);
    form.toggleServiceDate();
    EXPECT_EQ(form.ok(requester).message, "Service Date Value Error");
    EXPECT_TRUE(channel.writes.empty());
}

TEST_F(SettingsPart2, GroupsPassedBeforeARefusalStayStored) {
    const ProgramState before = state;
    // Retest refused: only the service-date group is stored.
    form.toggleLockOut();
    type({{E::ServiceDate, "90"}, {E::RetestMin, "9"}, {E::RetestMax, "9"}, {E::StartPeriod, "7"}});
    form.ok(requester);
    EXPECT_EQ(state.option.service_fix_date(), 90);
    EXPECT_EQ(state.config.lock_out(), 0);
    EXPECT_EQ(state.config.retest_min(), before.config.retest_min());
    EXPECT_EQ(state.config.start_period(), before.config.start_period());

    // PIN refused: the user settings and the override time are stored.
    type({{E::RetestMin, "1"}, {E::RetestMax, "9"}, {E::OverrideTime, "100"}, {E::PinCode, "1"}});
    form.select(L::DisplayMode, 1);
    form.ok(requester);
    EXPECT_EQ(state.config.retest_max(), 9);
    EXPECT_EQ(state.config.start_period(), 7);
    EXPECT_EQ(state.option.test_mode(), 1);
    EXPECT_EQ(state.service.Override_fix_H(), 100);
    EXPECT_EQ(state.service.PinCode(1), before.service.PinCode(1));

    // Override refused: the override time keeps its last stored value.
    type({{E::OverrideTime, "3000"}, {E::PinCode, "1111"}});
    form.ok(requester);
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

    EXPECT_EQ(state.config.log_type(), 1);
    // Bits 3, 6 and 7 stay as read; door trigger cleared; the others set.
    EXPECT_EQ(state.config.quenlix_option(), 0xC8 | 0x10 | 0x04 | 0x01 | 0x20);
    EXPECT_EQ(state.gSensor.Sensitivity(), 3);
    // Bytes the page does not know go back as read.
    EXPECT_EQ(state.option.cal_fix_date(), before.option.cal_fix_date());
    EXPECT_EQ(state.config.early_service_recall(), 7);
    EXPECT_EQ(state.service.service_kind(), before.service.service_kind());
    EXPECT_EQ(state.service.u8(6), before.service.u8(6));

    EXPECT_EQ(channel.writes, (std::vector<Bytes>{
                                  frameOf(request::WriteConfig, asBytes(state.config)),
                                  frameOf(request::WriteOption, asBytes(state.option)),
                                  frameOf(request::WriteGSensor, asBytes(state.gSensor)),
                                  frameOf(request::WriteService, asBytes(state.service)),
                              }));
    using W = AnsweringPauser::Wait;
    EXPECT_EQ(pauser.waits, (std::vector<W>{{1000, 0}, {1000, 0}, {300, 0}, {300, 0}}));
    EXPECT_EQ(traces.text, "OnCbnSelchangeComboGSensor\r\nOnBnClickedButtonSettingPart2Ok\r\n");
}

TEST_F(SettingsPart2, ANackToAnyWriteIsReportedAfterAllWritesAndSaveStaysOff) {
    for (std::size_t write = 0; write < 4; ++write) {
        SCOPED_TRACE(write);
        channel.writes.clear();
        pauser.waits.clear();
        form.open(state);
        answerWrite(write, response::NACK);
        const OkVerdict verdict = form.ok(requester);
        EXPECT_EQ(verdict.outcome, OkOutcome::Refused);
        EXPECT_EQ(verdict.message, "The interlock refused the settings write.");
        EXPECT_EQ(channel.writes.size(), 4u);
        EXPECT_FALSE(form.saveEnabled());
    }
}

TEST_F(SettingsPart2, OnlyAWholeNackDuringTheWritesIsARefusal) {
    feed(frameOf(response::NACK)); // refused before OK was pressed
    answerWrite(0, response::ACK);
    EXPECT_EQ(form.ok(requester).outcome, OkOutcome::Written);
    pauser.during = [this](std::size_t) { feed(withBadCrc(frameOf(response::NACK))); };
    EXPECT_EQ(form.ok(requester).outcome, OkOutcome::Written);
    pauser.during = {}; // nothing answers at all
    EXPECT_EQ(form.ok(requester).outcome, OkOutcome::Written);
}

TEST_F(SettingsPart2, SaveIsOfferedAfterAGoodOkUntilASaveSucceeds) {
    const auto folder = std::filesystem::temp_directory_path() / "settings_part2_save_test";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    ASSERT_EQ(form.ok(requester).outcome, OkOutcome::Written);
    ASSERT_TRUE(form.saveEnabled());
    EXPECT_FALSE(form.save((folder / "none" / "unit").string(), state).ok);
    EXPECT_TRUE(form.saveEnabled());
    EXPECT_TRUE(form.save((folder / "unit").string(), state).ok);
    EXPECT_FALSE(form.saveEnabled());
    EXPECT_TRUE(std::filesystem::exists(folder / "unit.cfg"));

    // LOAD shows the file, turns SAVE off and sends nothing; no ".cfg" is added.
    ASSERT_EQ(form.ok(requester).outcome, OkOutcome::Written);
    channel.writes.clear();
    ProgramState other = state;
    other.config.set_retest_min(0);
    other.config.set_retest_max(0);
    form.open(other);
    EXPECT_FALSE(form.load(folder / "unit", other).ok);
    EXPECT_EQ(form.text(E::RetestMin), "0");
    EXPECT_TRUE(form.load(folder / "unit.cfg", other).ok);
    EXPECT_EQ(form.text(E::RetestMin), "5");
    EXPECT_TRUE(form.enabled(E::MultiRetestMin));
    EXPECT_FALSE(form.saveEnabled());
    EXPECT_TRUE(channel.writes.empty());
    std::filesystem::remove_all(folder);
}

} // namespace
