#include "config/settings_part1_form.h"
#include "written_frames.h"

#include <string>

using namespace interlock;
using namespace interlock::testing;

namespace {

class SettingsPart1 : public PageCoreTest {
  protected:
    SettingsPart1() {
        state.option.bytes = {1, 1, 9, 9, 25, 2, 0x10, 0x00, 30, 0};
        state.config.set_lock_out(1);
        state.config.set_lock_out_warning(7);
        state.config.set_quenlix_option(0xFF);
        form.open(state);
    }
    SettingsPart1Form form;
};

TEST_F(SettingsPart1, OkAcceptsTheRangesAndPutsBackOneOnARefusal) {
    EXPECT_EQ(form.text(Part1Edit::ServiceDate), "30");
    EXPECT_EQ(form.text(Part1Edit::GracePeriod), "7");
    const std::string date =
        "SERVICE DATE value is not valid. Verify that it was enterd correctly and try again";
    const std::string grace =
        "GRACE PERIOD value is not valid. Verify that it was enterd correctly and try again";
    struct Case {
        const char* typed[2];
        std::string message;
        const char* after[2];
    };
    const Case cases[] = {
        {{"365", "250"}, "", {"365", "250"}}, {{"1", "1"}, "", {"1", "1"}},
        {{"366", "10"}, date, {"1", "10"}},   {{"", "10"}, date, {"1", "10"}},
        {{"0", "0"}, date, {"1", "0"}},       {{"10", "0"}, grace, {"10", "1"}},
        {{"10", "251"}, grace, {"10", "1"}},  {{"10", "4294967296"}, grace, {"10", "1"}},
        {{"10", "7d"}, grace, {"10", "1"}}, // a letter empties the field, read as 0
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.typed[0]) + "/" + c.typed[1]);
        channel.writes.clear();
        form.type(Part1Edit::ServiceDate, c.typed[0]);
        form.type(Part1Edit::GracePeriod, c.typed[1]);
        const OkVerdict verdict = form.ok(requester);
        EXPECT_EQ(verdict.outcome, c.message.empty() ? OkOutcome::Written : OkOutcome::Invalid);
        EXPECT_EQ(verdict.message, c.message);
        EXPECT_EQ(form.text(Part1Edit::ServiceDate), c.after[0]);
        EXPECT_EQ(form.text(Part1Edit::GracePeriod), c.after[1]);
        EXPECT_EQ(channel.writes.size(), c.message.empty() ? 2u : 0u);
    }
}

TEST_F(SettingsPart1, OkWritesOptionThenConfigurationASecondApartOrReportsARefusal) {
    const ProgramState before = state;
    form.type(Part1Edit::ServiceDate, "300");
    form.type(Part1Edit::GracePeriod, "20");
    traces.text.clear();
    EXPECT_EQ(form.ok(requester).outcome, OkOutcome::Written);

    Te_Option_t option = before.option;
    option.set_service_fix_date(300);
    Te_Config_Data_t config = before.config;
    config.set_lock_out_warning(20); // log_type and the rest as read
    EXPECT_EQ(channel.writes,
              (std::vector<Bytes>{
                  frameOf(request::WriteOption, Bytes(option.bytes.begin(), option.bytes.end())),
                  frameOf(request::WriteConfig, Bytes(config.bytes.begin(), config.bytes.end()))}));
    EXPECT_EQ(pauser.waits, (std::vector<Wait>{{1000, 0}, {1000, 0}}));
    EXPECT_EQ(traces.text, "OnBnClickedButtonSettingPart1Ok\r\n"
                           "Te_Option_t.service_fix_date = 300\r\n"
                           "Te_Config_Data_t.lock_out_warning = 20\r\n");

    refuseDuringWait(3); // the second write of the second OK
    const OkVerdict verdict = form.ok(requester);
    EXPECT_EQ(verdict.outcome, OkOutcome::Refused);
    EXPECT_EQ(verdict.message, "The interlock refused the settings write.");
}

} // namespace
