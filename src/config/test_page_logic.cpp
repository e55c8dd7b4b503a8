#include "config/test_page_logic.h"

#include "config/option_bits.h"
#include "config/pin_code_digits.h"
#include "config/serial_number_logic.h"
#include "config/settings_write.h"
#include "config/test_page_record.h"
#include "link/codes.h"
#include "link/read_failure.h"
#include "link/trace.h"
#include "link/write_outcome.h"

#include <algorithm>
#include <array>

namespace interlock {

namespace {

constexpr std::uint32_t kAlarmLevelStep = 20;
constexpr std::uint8_t kTestServiceKind = 1;
constexpr std::uint8_t kTestPairingCommand = 5;

// An edit holding one record field as decimal text; stores truncate to its width.
struct NumericField {
    TestEdit edit;
    std::uint32_t (*read)(const ProgramState&);
    void (*store)(ProgramState&, std::uint32_t);
};

template <auto Record, auto Get, auto Set> constexpr NumericField numeric(TestEdit edit) {
    return {edit, [](const ProgramState& s) -> std::uint32_t { return ((s.*Record).*Get)(); },
            [](ProgramState& s, std::uint32_t v) {
                using Value = decltype(((s.*Record).*Get)());
                ((s.*Record).*Set)(static_cast<Value>(v));
            }};
}

using C = Te_Config_Data_t;
using O = Te_Option_t;
using S = Te_Service_t;
using G = Te_G_Sensor_t;
constexpr auto kConfig = &ProgramState::config;
constexpr auto kOption = &ProgramState::option;
constexpr auto kService = &ProgramState::service;
constexpr auto kGSensor = &ProgramState::gSensor;

const std::array<NumericField, 12> kNumericFields{
    numeric<kConfig, &C::retest_min, &C::set_retest_min>(TestEdit::RetestMin),
    numeric<kConfig, &C::retest_max, &C::set_retest_max>(TestEdit::RetestMax),
    numeric<kConfig, &C::multi_retest_min, &C::set_multi_retest_min>(TestEdit::MultiRetestMin),
    numeric<kConfig, &C::multi_retest_max, &C::set_multi_retest_max>(TestEdit::MultiRetestMax),
    numeric<kConfig, &C::start_period, &C::set_start_period>(TestEdit::StartPeriod),
    numeric<kConfig, &C::restart_period, &C::set_restart_period>(TestEdit::RestartPeriod),
    numeric<kConfig, &C::first_blocking_time, &C::set_first_blocking_time>(TestEdit::BlockTime1),
    numeric<kConfig, &C::second_blocking_time, &C::set_second_blocking_time>(TestEdit::BlockTime2),
    numeric<kConfig, &C::lock_out_warning, &C::set_lock_out_warning>(TestEdit::Grace),
    numeric<kOption, &O::service_fix_date, &O::set_service_fix_date>(TestEdit::ServiceDate),
    numeric<kOption, &O::cal_fix_date, &O::set_cal_fix_date>(TestEdit::CalibDate),
    numeric<kService, &S::Override_fix_H, &S::set_Override_fix_H>(TestEdit::OverrideTime),
};

// A radio group over one byte field: the radios' values in order, and the radio
// shown for a value none of them has.
struct RadioField {
    TestRadio radio;
    std::array<std::uint8_t, 4> values;
    std::size_t count;
    int otherwise;
    std::uint8_t (*read)(const ProgramState&);
    void (*store)(ProgramState&, std::uint8_t);
};

template <auto Record, auto Get, auto Set>
constexpr RadioField radio(TestRadio r, std::array<std::uint8_t, 4> values, std::size_t count,
                           int otherwise) {
    return {r,
            values,
            count,
            otherwise,
            [](const ProgramState& s) { return static_cast<std::uint8_t>(((s.*Record).*Get)()); },
            [](ProgramState& s, std::uint8_t v) {
                using Value = decltype(((s.*Record).*Get)());
                ((s.*Record).*Set)(static_cast<Value>(v));
            }};
}

const std::array<RadioField, 7> kRadioFields{
    // Any lock-out value but 0 shows "ON".
    radio<kConfig, &C::lock_out, &C::set_lock_out>(TestRadio::LockOut, {0, 1}, 2, 1),
    radio<kConfig, &C::circumvention_mode, &C::set_circumvention_mode>(TestRadio::BlowType,
                                                                       {0, 1, 2}, 3, 0),
    radio<kOption, &O::test_unit, &O::set_test_unit>(TestRadio::Unit, {3, 2, 1, 5}, 4, 0),
    radio<kOption, &O::test_mode, &O::set_test_mode>(TestRadio::Mode, {1, 0}, 2, 1),
    radio<kOption, &O::blow_amount, &O::set_blow_amount>(TestRadio::BlowLevel, {0, 1, 2, 3}, 4, 0),
    radio<kConfig, &C::early_service_recall, &C::set_early_service_recall>(TestRadio::EarlyUse,
                                                                           {0, 1}, 2, 0),
    radio<kGSensor, &G::Sensitivity, &G::set_Sensitivity>(TestRadio::GSensor, {0, 1, 2, 3}, 4, 0),
};

constexpr std::array<std::uint8_t, static_cast<std::size_t>(TestCheck::Count)> kCheckBits{
    kOptionDriverChange, kOptionDoorTrigger, kOptionRetestAlarm, kOptionAlarmRelay,
    kOptionOverrideButton};

void traceOpening(const ProgramState& s) {
    trace("Te_Config_Data_t.lock_out = %d\r\n", s.config.lock_out());
    trace("Te_Config_Data_t.circumvention_mode = %d\r\n", s.config.circumvention_mode());
    trace("Te_Config_Data_t.quenlix_option = 0x%x\r\n", s.config.quenlix_option());
    trace("Te_Option_t.test_unit = %d\r\n", static_cast<int>(s.option.test_unit()));
    trace("Te_Option_t.test_mode = %d\r\n", s.option.test_mode());
    trace("Te_Option_t.blow_amount = %d\r\n", s.option.blow_amount());
    trace("Te_Option_t.alarm_density = %d\r\n", s.option.alarm_density());
    trace("Te_Option_t.service_fix_date = %d\r\n", s.option.service_fix_date());
    trace("Te_Option_t.cal_fix_date = %d\r\n", s.option.cal_fix_date());
    trace("Te_Service_t.Override_fix_H = %d\r\n", s.service.Override_fix_H());
    trace("Te_Config_Data_t.early_service_recall = %d\r\n", s.config.early_service_recall());
    trace("PinCode = %d%d%d%d\r\n", s.service.PinCode(0), s.service.PinCode(1),
          s.service.PinCode(2), s.service.PinCode(3));
    trace("Te_G_Sensor_t.Sensitivity = %d\r\n", s.gSensor.Sensitivity());
}

} // namespace

std::string openTestPage(Requester& requester) {
    const bool answered = requester.read(request::WholeRead, {}, kWholeReadWaitMs);
    ProgramState& state = requester.state();
    state.dlg_enum = PageRequest::None;
    if (!answered)
        return unansweredReadMessage("test page");
    traceOpening(state);
    return {};
}

TestPageFields testPageFields(const ProgramState& state) {
    TestPageFields fields;
    for (const NumericField& field : kNumericFields)
        fields.edit(field.edit) = std::to_string(field.read(state));
    fields.edit(TestEdit::AlarmLevel) =
        std::to_string(state.option.alarm_density() * kAlarmLevelStep);
    fields.edit(TestEdit::PinCode) = pinText(state.service);
    fields.edit(TestEdit::HandSerial) = state.identity.handset_serial();
    fields.edit(TestEdit::ControlSerial) = state.identity.control_serial();
    for (const RadioField& field : kRadioFields) {
        const std::uint8_t value = field.read(state);
        const auto values = std::span(field.values).first(field.count);
        const auto found = std::find(values.begin(), values.end(), value);
        fields.radio(field.radio) =
            found == values.end() ? field.otherwise : static_cast<int>(found - values.begin());
    }
    const std::uint8_t option = state.config.quenlix_option();
    for (std::size_t i = 0; i < kCheckBits.size(); ++i)
        fields.checks[i] = (option & kCheckBits[i]) != 0;
    return fields;
}

std::string testPageWrite(const TestPageFields& fields, const CivilTime& utcNow,
                          Requester& requester) {
    trace("OnBnClickedButtonCalTimeReset\r\n");
    ProgramState& state = requester.state();
    const int year = utcNow.year - 2000;
    trace("Current Time %d-%d-%d %d:%d:%d\r\n", year, utcNow.month, utcNow.day, utcNow.hour,
          utcNow.minute, utcNow.second);
    state.service.set_service_time(
        static_cast<std::uint8_t>(year), static_cast<std::uint8_t>(utcNow.month),
        static_cast<std::uint8_t>(utcNow.day), static_cast<std::uint8_t>(utcNow.hour),
        static_cast<std::uint8_t>(utcNow.minute));

    for (const NumericField& field : kNumericFields)
        field.store(state, decimalValue(fields.edit(field.edit)));
    state.option.set_alarm_density(static_cast<std::uint8_t>(
        decimalValue(fields.edit(TestEdit::AlarmLevel)) / kAlarmLevelStep));
    for (const RadioField& field : kRadioFields) {
        const int index = fields.radio(field.radio);
        const bool known = index >= 0 && static_cast<std::size_t>(index) < field.count;
        field.store(state, field.values[known ? static_cast<std::size_t>(index) : 0]);
    }
    std::uint8_t option = 0;
    for (std::size_t i = 0; i < kCheckBits.size(); ++i) {
        if (fields.checks[i])
            option |= kCheckBits[i];
    }
    state.config.set_quenlix_option(option);
    storePinDigits(state.service, fields.edit(TestEdit::PinCode));
    state.service.set_service_kind(kTestServiceKind);
    state.identity.set_pairing_command(kTestPairingCommand);

    const std::string& hand = fields.edit(TestEdit::HandSerial);
    const std::string& control = fields.edit(TestEdit::ControlSerial);
    if (!serialsFit(hand, control))
        return std::string(kTestSerialMessage);
    state.identity.set_handset_serial(hand);
    state.identity.set_control_serial(control);

    const std::vector<std::uint8_t> whole = wholeRecordToWrite(state);
    trace("write cnt = %d\r\n", static_cast<int>(whole.size()));
    const WriteOutcome outcome(state);
    requester.writeAcknowledged(request::WholeWrite, whole, kWholeWriteAnswerWaitMs,
                                response::PC_WHOLE_WRITE);
    return settingsWriteFailure(outcome);
}

} // namespace interlock
