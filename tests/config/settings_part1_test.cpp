#include "config/settings_part1_form.h"
#include "settings_fixture.h"

#include <string>

using namespace interlock;
using namespace interlock::testing;

namespace {

class SettingsPart1 : public SettingsTest {
  protected:
    SettingsPart1() {
        state.option.bytes = {1, 1, 9, 9, 25, 2, 0x10, 0x00, 0, 0};
        state.option.set_service_fix_date(30);
        state.config = {};
        state.config.set_lock_out(1);
        state.config.set_lock_out_warning(7);
        state.config.set_quenlix_option(0xFF);
        form.open(state);
    }
    SettingsPart1Form form;
};

TEST_F(SettingsPart1, OpeningTracesAndShowsBothValues) {
    EXPECT_EQ(traces.text,
              "Te_Option_t.service_fix_date = 30\r\nTe_Config_Data_t.lock_out_warning = 7\r\n");
    EXPECT_EQ(form.text(Part1Edit::ServiceDate), "30");
    EXPECT_EQ(form.text(Part1Edit::GracePeriod), "7");
    form.type(Part1Edit::GracePeriod, "7d");
    EXPECT_EQ(form.text(Part1Edit::GracePeriod), "");
}

struct Part1Case {
    const char* serviceDate;
    const char* gracePeriod;
    OkOutcome outcome;
    std::string message;
    const char* serviceDateAfter;
    const char* gracePeriodAfter;
};

TEST_F(SettingsPart1, OkAcceptsTheRangesAndPutsBackOneOnARefusal) {
    const std::string badDate =
        "SERVICE DATE value is not valid. Verify that it was enterd correctly and try again";
    const std::string badGrace =
        "GRACE PERIOD value is not valid. Verify that it was enterd correctly and try again";
    const Part1Case cases[] = {
        {"365", "250", OkOutcome::Written, "", "365", "250"},
        {"1", "1", OkOutcome::Written, "", "1", "1"},
        {"366", "10", OkOutcome::Invalid, badDate, "1", "10"},
        {"", "10", OkOutcome::Invalid, badDate, "1", "10"},
        {"0", "0", OkOutcome::Invalid, badDate, "1", "0"},
        {"10", "0", OkOutcome::Invalid, badGrace, "10", "1"},
        {"10", "251", OkOutcome::Invalid, badGrace, "10", "1"},
        {"10", "4294967296", OkOutcome::Invalid, badGrace, "10", "1"},
    };
    for (const Part1Case& c : cases) {
        SCOPED_TRACE(std::string(c.serviceDate) + "/" + c.gracePeriod);
        channel.writes.clear();
        form.type(Part1Edit::ServiceDate, c.serviceDate);
        form.type(Part1Edit::GracePeriod, c.gracePeriod);
        const OkVerdict verdict = form.ok(requester);
        EXPECT_EQ(verdict.outcome, c.outcome);
        EXPECT_EQ(verdict.message, c.message);
        EXPECT_EQ(form.text(Part1Edit::ServiceDate), c.serviceDateAfter);
        EXPECT_EQ(form.text(Part1Edit::GracePeriod), c.gracePeriodAfter);
        EXPECT_EQ(channel.writes.size(), c.outcome == OkOutcome::Written ? 2u : 0u);
    }
}

TEST_F(SettingsPart1, OkWritesOptionThenConfigurationASecondApart) {
    const ProgramState before = state;
    form.type(Part1Edit::ServiceDate, "300");
    form.type(Part1Edit::GracePeriod, "20");
    traces.text.clear();
    EXPECT_EQ(form.ok(requester).outcome, OkOutcome::Written);

    Te_Option_t option = before.option;
    option.set_service_fix_date(300);
    Te_Config_Data_t config = before.config;
    config.set_lock_out_warning(20); // log_type and the rest as read
    EXPECT_EQ(state.option, option);
    EXPECT_EQ(state.config, config);
    EXPECT_EQ(channel.writes,
              (std::vector<Bytes>{
                  frameOf(request::WriteOption, Bytes(option.bytes.begin(), option.bytes.end())),
                  frameOf(request::WriteConfig, Bytes(config.bytes.begin(), config.bytes.end()))}));
    using W = AnsweringPauser::Wait;
    EXPECT_EQ(pauser.waits, (std::vector<W>{{1000, 0}, {1000, 0}}));
    EXPECT_EQ(traces.text, "OnBnClickedButtonSettingPart1Ok\r\n"
                           "Te_Option_t.service_fix_date = 300\r\n"
                           "Te_Config_Data_t.lock_out_warning = 20\r\n");
}

TEST_F(SettingsPart1, ARefusedWriteKeepsThePageOpenWithItsMessage) {
    answerWrite(1, response::NACK);
    const OkVerdict verdict = form.ok(requester);
    EXPECT_EQ(verdict.outcome, OkOutcome::Refused);
    EXPECT_EQ(verdict.message, "The interlock refused the settings write.");
    EXPECT_EQ(channel.writes.size(), 2u);
}

} // namespace
