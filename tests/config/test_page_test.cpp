#include "config/pin_code_digits.h"
#include "config/test_page_logic.h"
#include "config/test_page_record.h"
#include "link/codes.h"
#include "written_frames.h"

#include <gtest/gtest.h>

namespace interlock {
namespace {

using testing::Bytes;
using testing::counting;
using testing::frameOf;

const CivilTime kNow{2026, 3, 14, 15, 9, 26};

class TestPage : public testing::PageCoreTest {
  protected:
    TestPage() {
        state.identity.assign(counting(19, 0x30));
        state.identity.set_DUT(ENUM_DUT_CONTROLBOX);
        state.option.assign(counting(10, 0x40));
        state.config.assign(counting(19, 0x50));
        state.service.assign(counting(13, 0x60));
        state.gSensor.assign(counting(5, 0x70));
        state.option.set_test_unit(TestUnit::Promille);
        state.option.set_test_mode(0);
        state.option.set_blow_amount(3);
        state.option.set_alarm_density(12);
        state.config.set_lock_out(1);
        state.config.set_circumvention_mode(2);
        state.config.set_early_service_recall(1);
        state.config.set_quenlix_option(0x3F);
        state.gSensor.set_Sensitivity(2);
        for (std::size_t i = 0; i < 4; ++i)
            state.service.set_PinCode(i, static_cast<std::uint8_t>(i));
    }
    std::string write(const TestPageFields& fields) {
        return testPageWrite(fields, kNow, requester);
    }
};

TEST_F(TestPage, WholeRecordCarriesTheGSensorOnlyToAControlUnit) {
    for (const auto& [dut, size] :
         std::vector<std::pair<std::uint8_t, std::size_t>>{{0, 61}, {1, 66}, {2, 61}, {7, 61}}) {
        state.identity.set_DUT(dut);
        const std::vector<std::uint8_t> whole = wholeRecordToWrite(state);
        ASSERT_EQ(whole.size(), size) << int(dut);
        EXPECT_EQ(Bytes(whole.begin() + 19, whole.begin() + 29),
                  Bytes(state.option.bytes.begin(), state.option.bytes.end()));
        EXPECT_EQ(whole[60], state.service.bytes[12]);
    }
    state.identity.set_DUT(ENUM_DUT_CONTROLBOX);
    EXPECT_EQ(wholeRecordToWrite(state).back(), state.gSensor.bytes[4]);
}

TEST_F(TestPage, OpeningReadsTheWholeRecordAndTakesThePageRequestBack) {
    const std::vector<std::uint8_t> whole = wholeRecordToWrite(state);
    pauser.answers[0] = frameOf(response::PC_WHOLE_READ, Bytes(whole.begin(), whole.end()));
    state.dlg_enum = PageRequest::Test;
    EXPECT_EQ(openTestPage(requester), "");
    EXPECT_EQ(channel.writes, std::vector<Bytes>{frameOf(request::WholeRead)});
    EXPECT_EQ(pauser.waits, (std::vector<Wait>{{1000, response::PC_WHOLE_READ}}));
    EXPECT_EQ(state.dlg_enum, PageRequest::None);
    EXPECT_TRUE(traces.has("Te_Config_Data_t.quenlix_option = 0x3f\r\n"));
    EXPECT_TRUE(traces.has("PinCode = 0123\r\n"));
}

TEST_F(TestPage, AWholeReadWithoutAGoodAnswerOpensNoPage) {
    for (const Bytes& answer : {Bytes{}, testing::shortAnswerTo(request::WholeRead)}) {
        clearRecords();
        pauser.answers[0] = answer;
        state.dlg_enum = PageRequest::Test;
        EXPECT_EQ(openTestPage(requester), "The interlock did not answer the test page read.");
        EXPECT_EQ(state.dlg_enum, PageRequest::None);
    }
    EXPECT_FALSE(traces.has("PinCode"));
}

TEST_F(TestPage, FieldsShowTheRecords) {
    const TestPageFields fields = testPageFields(state);
    EXPECT_EQ(fields.edit(TestEdit::RetestMin), std::to_string(0x51));
    EXPECT_EQ(fields.edit(TestEdit::StartPeriod), std::to_string(0x5958));
    EXPECT_EQ(fields.edit(TestEdit::AlarmLevel), "240");
    EXPECT_EQ(fields.edit(TestEdit::OverrideTime), std::to_string(0x6867));
    EXPECT_EQ(fields.edit(TestEdit::PinCode), "0123");
    EXPECT_EQ(fields.edit(TestEdit::HandSerial), "3456789:");
    EXPECT_EQ(fields.radio(TestRadio::BlowType), 2);
    EXPECT_EQ(fields.checks, (std::array<bool, 5>{true, true, true, true, true}));
}

TEST_F(TestPage, RadiosMapValuesBothWays) {
    struct Case {
        TestRadio radio;
        std::size_t wholeAt; // the field's offset in the whole record
        std::uint8_t value;
        int shown;
        std::uint8_t written;
    };
    const std::vector<Case> cases{
        {TestRadio::Unit, 19, 3, 0, 3},      {TestRadio::Unit, 19, 2, 1, 2},
        {TestRadio::Unit, 19, 1, 2, 1},      {TestRadio::Unit, 19, 5, 3, 5},
        {TestRadio::Unit, 19, 4, 0, 3},      {TestRadio::Mode, 20, 1, 0, 1},
        {TestRadio::Mode, 20, 0, 1, 0},      {TestRadio::Mode, 20, 9, 1, 0},
        {TestRadio::LockOut, 41, 7, 1, 1},   {TestRadio::LockOut, 41, 0, 0, 0},
        {TestRadio::BlowLevel, 24, 4, 0, 0}, {TestRadio::GSensor, 61, 200, 0, 0},
    };
    for (const Case& c : cases) {
        state.config.set_lock_out(c.value);
        state.option.set_test_unit(TestUnit{c.value});
        state.option.set_test_mode(c.value);
        state.option.set_blow_amount(c.value);
        state.gSensor.set_Sensitivity(c.value);
        const TestPageFields fields = testPageFields(state);
        EXPECT_EQ(fields.radio(c.radio), c.shown) << int(c.radio) << "/" << int(c.value);
        ASSERT_EQ(write(fields), "");
        EXPECT_EQ(lastWrite()[3 + c.wholeAt], c.written) << int(c.radio) << "/" << int(c.value);
    }
}

TEST_F(TestPage, AnUntouchedWriteSendsWhatWasReadBarTheFixedChanges) {
    Bytes expected = Bytes(wholeRecordToWrite(state));
    write(testPageFields(state));
    expected[0] = 5;       // pairing command
    expected[48 + 0] = 26; // service time: year - 2000, month, day, hour, minute
    expected[48 + 1] = 3;
    expected[48 + 2] = 14;
    expected[48 + 3] = 15;
    expected[48 + 4] = 9;
    expected[48 + 5] = 1;     // service kind
    expected[29 + 18] = 0x37; // option bits 3, 6, 7 cleared
    EXPECT_EQ(channel.writes, std::vector<Bytes>{frameOf(request::WholeWrite, expected)});
    EXPECT_EQ(pauser.waits, (std::vector<Wait>{{1000, response::PC_WHOLE_WRITE}}));
    EXPECT_TRUE(traces.has("Current Time 26-3-14 15:9:26\r\nwrite cnt = 66\r\n"));
    state.identity.set_DUT(ENUM_DUT_HANDSET);
    write(testPageFields(state));
    EXPECT_EQ(lastWrite()[2], 61);
}

TEST_F(TestPage, EditsAreTruncatedToTheirFieldsWithoutRangeChecks) {
    const std::vector<std::tuple<TestEdit, const char*, std::function<unsigned()>>> cases{
        {TestEdit::AlarmLevel, "100", [&] { return state.option.alarm_density(); }},
        {TestEdit::AlarmLevel, "119", [&] { return state.option.alarm_density(); }},
        {TestEdit::AlarmLevel, "5120", [&] { return state.option.alarm_density(); }},
        {TestEdit::RetestMin, "300", [&] { return state.config.retest_min(); }},
        {TestEdit::StartPeriod, "70000", [&] { return state.config.start_period(); }},
        {TestEdit::Grace, "", [&] { return state.config.lock_out_warning(); }},
        {TestEdit::CalibDate, "99999999999999", [&] { return state.option.cal_fix_date(); }},
        {TestEdit::OverrideTime, "12ab", [&] { return state.service.Override_fix_H(); }},
    };
    const std::vector<unsigned> expected{5, 5, 0, 44, 4464, 0, 0xFFFF, 12};
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const auto& [edit, text, stored] = cases[i];
        TestPageFields fields = testPageFields(state);
        fields.edit(edit) = text;
        ASSERT_EQ(write(fields), "");
        EXPECT_EQ(stored(), expected[i]) << text;
    }
    TestPageFields fields = testPageFields(state);
    fields.checks = {true, false, true, false, true};
    fields.edit(TestEdit::PinCode) = "90";
    write(fields);
    EXPECT_EQ(state.config.quenlix_option(), 0x25);
    EXPECT_EQ(pinText(state.service), "9000");
}

TEST_F(TestPage, SerialNotEightCharactersSendsNothingButKeepsTheEarlierSteps) {
    state.identity.set_pairing_command(0);
    for (const char* serial : {"1234567", "123456789", ""}) {
        TestPageFields fields = testPageFields(state);
        fields.edit(TestEdit::ControlSerial) = serial;
        EXPECT_EQ(write(fields), "시리얼 번호 입력 확인 할 것!!!");
    }
    EXPECT_TRUE(channel.writes.empty());
    EXPECT_EQ(state.identity.pairing_command(), 5);
    EXPECT_EQ(state.service.service_kind(), 1);
    EXPECT_EQ(state.identity.control_serial(), ";<=>?@AB");
}

} // namespace
} // namespace interlock
