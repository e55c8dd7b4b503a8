#include "config/settings_part2_form.h"

#include "config/pin_code_digits.h"
#include "config/settings_write.h"
#include "link/checked_records.h"
#include "link/codes.h"
#include "link/trace.h"
#include "link/write_outcome.h"

namespace interlock {

namespace {

using E = Part2Edit;
using Range = ValueRange<Part2Edit>;

constexpr Range kServiceDate{E::ServiceDate, "SERVICE DATE", 1, 365, "1"};
constexpr Range kGracePeriod{E::GracePeriod, "GRACE PERIOD", 0, 250, "1"};
constexpr Range kStartPeriod{E::StartPeriod, "START PERIOD", 1, 60, "3"};
constexpr Range kRestartPeriod{E::RestartPeriod, "RESTART PERIOD", 1, 240, "30"};
constexpr Range kFirstBlockingTime{E::FirstBlockingTime, "FIRST BLOCKING TIME", 1, 60, "5"};
constexpr Range kSecondBlockingTime{E::SecondBlockingTime, "SECOND BLOCKING TIME", 1, 60, "5"};
constexpr Range kOverrideTime{E::OverrideTime, "OVERRIDE", 1, 2200, "1"};

// MIN/MAX pairs of minutes: both 0 is off; otherwise each 1 to 250, MIN below MAX.
constexpr Range kRetestMin{E::RetestMin, "RETEST MIN", 1, 250, ""};
constexpr Range kRetestMax{E::RetestMax, "RETEST MAX", 1, 250, ""};
constexpr std::string_view kRetestOrder =
    "RETEST MAX value should be greater than RETEST MIN value. Verify that is was enterd "
    "correctly and try again";
constexpr Range kMultiRetestMin{E::MultiRetestMin, "MULTI-RETEST MIN", 1, 250, ""};
constexpr Range kMultiRetestMax{E::MultiRetestMax, "MULTI-RETEST MAX", 1, 250, ""};
constexpr std::string_view kMultiRetestOrder =
    "MULTI-RETEST MAX value should be greater than MULTI-RETEST-MIN value. Verify that is was "
    "entered correctly and try again";

const char* listTrace(Part2List list) {
    switch (list) {
    case Part2List::Unit:
        return "OnCbnSelchangeComboUnit\r\n";
    case Part2List::BlockingLimit:
        return "OnCbnSelchangeComboBlockingLimit\r\n";
    case Part2List::DisplayMode:
        return "OnCbnSelchangeComboDisplayMode\r\n";
    case Part2List::BlowLevel:
        return "OnCbnSelchangeComboBlowLevel\r\n";
    case Part2List::TypeOfBlowing:
        return "OnCbnSelchangeComboTypeOfBlowing\r\n";
    case Part2List::GSensor:
        return "OnCbnSelchangeComboGSensor\r\n";
    }
    return "";
}

std::uint8_t byteOf(std::uint32_t value) {
    return static_cast<std::uint8_t>(value);
}

std::uint16_t wordOf(std::uint32_t value) {
    return static_cast<std::uint16_t>(value);
}

} // namespace

void SettingsPart2Form::open(const ProgramState& state) {
    const Te_Option_t& option = state.option;
    const Te_Config_Data_t& config = state.config;
    const Te_Service_t& service = state.service;

    serviceDateOn_ = option.service_fix_date() != 0;
    lockOutOn_ = config.lock_out() == 1;

    edits_.put(E::ServiceDate, std::to_string(option.service_fix_date()));
    edits_.put(E::GracePeriod, std::to_string(config.lock_out_warning()));
    edits_.put(E::RetestMin, std::to_string(config.retest_min()));
    edits_.put(E::RetestMax, std::to_string(config.retest_max()));
    edits_.put(E::MultiRetestMin, std::to_string(config.multi_retest_min()));
    edits_.put(E::MultiRetestMax, std::to_string(config.multi_retest_max()));
    edits_.put(E::StartPeriod, std::to_string(config.start_period()));
    edits_.put(E::RestartPeriod, std::to_string(config.restart_period()));
    edits_.put(E::FirstBlockingTime, std::to_string(config.first_blocking_time()));
    edits_.put(E::SecondBlockingTime, std::to_string(config.second_blocking_time()));
    multiRetestEnabled_ = config.retest_min() != 0 || config.retest_max() != 0;

    const auto at = [this](Part2List list) -> int& {
        return lists_[static_cast<std::size_t>(list)];
    };
    const auto count = [](Part2List list) { return listItems(list, 0).size(); };
    at(Part2List::Unit) = unitIndexFor(option.test_unit());
    at(Part2List::BlockingLimit) = blockingIndexFor(option.alarm_density());
    at(Part2List::DisplayMode) = option.test_mode() == 1 ? 1 : 0;
    at(Part2List::BlowLevel) = indexOrFirst(option.blow_amount(), count(Part2List::BlowLevel));
    at(Part2List::TypeOfBlowing) =
        indexOrFirst(config.circumvention_mode(), count(Part2List::TypeOfBlowing));
    at(Part2List::GSensor) = indexOrFirst(state.gSensor.Sensitivity(), count(Part2List::GSensor));
    gSensorEnabled_ = state.identity.DUT() != ENUM_DUT_HANDSET;

    for (const RadioRow& row : kRadioRows)
        radios_.*row.value = (config.quenlix_option() & row.bit) != 0 ? 1 : 0;
    // The extra override button counts as on only while an override time is set.
    if (service.Override_fix_H() == 0)
        radios_.m_Radio_Override_Part2 = 0;

    edits_.put(E::OverrideTime, std::to_string(service.Override_fix_H()));
    edits_.put(E::PinCode, pinText(service));
    overrideOff_ = service.Override_fix_H() == 0;
    written_.reset();
}

void SettingsPart2Form::toggleServiceDate() {
    trace("OnBnClickedButtonServiceDateOnOff\r\n");
    serviceDateOn_ = !serviceDateOn_;
}

void SettingsPart2Form::toggleLockOut() {
    trace("OnBnClickedButtonLockOutOnOff\r\n");
    lockOutOn_ = !lockOutOn_;
}

void SettingsPart2Form::toggleOverride() {
    trace("OnBnClickedButtonOverrideOnOff\r\n");
    overrideOff_ = !overrideOff_;
}

void SettingsPart2Form::type(Part2Edit edit, std::string_view typed) {
    edits_.type(edit, typed);
    const bool retest = edit == Part2Edit::RetestMin || edit == Part2Edit::RetestMax;
    if (retest && !text(edit).empty())
        multiRetestEnabled_ = value(Part2Edit::RetestMin) != 0 || value(Part2Edit::RetestMax) != 0;
}

void SettingsPart2Form::select(Part2List list, int index) {
    trace("%s", listTrace(list));
    const std::size_t count = listItems(list, selected(Part2List::Unit)).size();
    if (index >= 0 && static_cast<std::size_t>(index) < count)
        lists_[static_cast<std::size_t>(list)] = index;
}

bool SettingsPart2Form::enabled(Part2Edit edit) const {
    switch (edit) {
    case Part2Edit::ServiceDate:
    case Part2Edit::GracePeriod:
        return serviceDateOn_;
    case Part2Edit::MultiRetestMin:
    case Part2Edit::MultiRetestMax:
        return multiRetestEnabled_;
    case Part2Edit::OverrideTime:
    case Part2Edit::PinCode:
        return !overrideOff_;
    default:
        return true;
    }
}

std::string SettingsPart2Form::refuse(std::string message, PutBack putBack) {
    for (const auto& [edit, text] : putBack)
        edits_.put(edit, std::string(text));
    return message;
}

std::string SettingsPart2Form::pairRefusal(const Range& min, const Range& max,
                                           std::string_view orderMessage) {
    if (value(min.edit) == 0 && value(max.edit) == 0)
        return {};
    return firstRefusal(
        {[&] { return edits_.refusal(min); }, [&] { return edits_.refusal(max); },
         [&] {
             if (value(min.edit) < value(max.edit))
                 return std::string();
             return refuse(std::string(orderMessage), {{min.edit, ""}, {max.edit, ""}});
         }});
}

std::string SettingsPart2Form::storeServiceDate(ProgramState& state) {
    Te_Option_t& option = state.option;
    Te_Config_Data_t& config = state.config;
    if (!serviceDateOn_) {
        option.set_service_fix_date(0);
        config.set_lock_out_warning(0);
        config.set_lock_out(0);
        return {};
    }
    if (value(E::ServiceDate) == 0)
        return "Service Date Value Error";
    if (std::string bad = firstRefusal({[this] { return edits_.refusal(kServiceDate); },
                                        [this] { return edits_.refusal(kGracePeriod); }});
        !bad.empty())
        return bad;
    option.set_service_fix_date(wordOf(value(E::ServiceDate)));
    config.set_lock_out_warning(byteOf(value(E::GracePeriod)));
    config.set_lock_out(lockOutOn_ ? 1 : 0);
    return {};
}

std::string SettingsPart2Form::checkTimes() {
    return firstRefusal({
        [this] { return pairRefusal(kRetestMin, kRetestMax, kRetestOrder); },
        [this] { return pairRefusal(kMultiRetestMin, kMultiRetestMax, kMultiRetestOrder); },
        [this] { return edits_.refusal(kStartPeriod); },
        [this] { return edits_.refusal(kRestartPeriod); },
        [this] {
            if (value(E::StartPeriod) <= value(E::RestartPeriod))
                return std::string();
            return refuse("Start Period more then Restart Period. Verify that it was enterd "
                          "correctly and try again",
                          {{E::StartPeriod, "3"}, {E::RestartPeriod, "30"}});
        },
        [this] { return edits_.refusal(kFirstBlockingTime); },
        [this] { return edits_.refusal(kSecondBlockingTime); },
    });
}

void SettingsPart2Form::storeUserSettings(ProgramState& state) const {
    Te_Option_t& option = state.option;
    Te_Config_Data_t& config = state.config;
    option.set_test_unit(unitCodeAt(selected(Part2List::Unit)));
    config.set_retest_min(byteOf(value(E::RetestMin)));
    config.set_retest_max(byteOf(value(E::RetestMax)));
    const bool retestOn = value(E::RetestMin) != 0 || value(E::RetestMax) != 0;
    config.set_multi_retest_min(retestOn ? byteOf(value(E::MultiRetestMin)) : 0);
    config.set_multi_retest_max(retestOn ? byteOf(value(E::MultiRetestMax)) : 0);
    config.set_start_period(wordOf(value(E::StartPeriod)));
    config.set_restart_period(wordOf(value(E::RestartPeriod)));
    config.set_first_blocking_time(byteOf(value(E::FirstBlockingTime)));
    config.set_second_blocking_time(byteOf(value(E::SecondBlockingTime)));
    option.set_test_mode(byteOf(selected(Part2List::DisplayMode)));
    option.set_blow_amount(byteOf(selected(Part2List::BlowLevel)));
    config.set_circumvention_mode(byteOf(selected(Part2List::TypeOfBlowing)));
    state.gSensor.set_Sensitivity(byteOf(selected(Part2List::GSensor)));
    option.set_alarm_density(alarmDensityAt(selected(Part2List::BlockingLimit)));
    std::uint8_t bits = config.quenlix_option();
    for (const RadioRow& row : kRadioRows)
        bits =
            static_cast<std::uint8_t>(radios_.*row.value == 1 ? bits | row.bit : bits & ~row.bit);
    config.set_quenlix_option(bits);
}

std::string SettingsPart2Form::storeOverrideAndPin(ProgramState& state) {
    Te_Service_t& service = state.service;
    if (overrideOff_) {
        service.set_Override_fix_H(0);
    } else {
        if (std::string bad = edits_.refusal(kOverrideTime); !bad.empty())
            return bad;
        service.set_Override_fix_H(wordOf(value(Part2Edit::OverrideTime)));
    }
    const std::string& pin = text(Part2Edit::PinCode);
    if (pin.size() != kPinLength)
        return refuse(std::string(kPinValueMessage), {{Part2Edit::PinCode, "8462"}});
    storePinDigits(service, pin);
    return {};
}

OkVerdict SettingsPart2Form::ok(Requester& requester) {
    trace("OnBnClickedButtonSettingPart2Ok\r\n");
    ProgramState& state = requester.state();
    // Each group is stored as soon as its checks pass; a later failure keeps it.
    std::string refusal = storeServiceDate(state);
    if (refusal.empty())
        refusal = checkTimes();
    if (refusal.empty()) {
        storeUserSettings(state);
        refusal = storeOverrideAndPin(state);
    }
    if (!refusal.empty())
        return {OkOutcome::Invalid, refusal};

    state.config.set_log_type(1);
    const CheckedRecords<&ProgramState::config, &ProgramState::option, &ProgramState::gSensor,
                         &ProgramState::service>
        checked(state);
    const SettingsFileBytes file = settingsFileBytes(state);
    written_.reset(); // a failed write leaves nothing to save
    const WriteOutcome outcome(state);
    requester.write(request::WriteConfig, checked.get<Te_Config_Data_t>().view(),
                    kSettingsWriteWaitMs);
    requester.write(request::WriteOption, checked.get<Te_Option_t>().view(), kSettingsWriteWaitMs);
    requester.write(request::WriteGSensor, checked.get<Te_G_Sensor_t>().view(),
                    kGSensorWriteWaitMs);
    requester.write(request::WriteService, checked.get<Te_Service_t>().view(), kServiceWriteWaitMs);
    checked.restore(state);
    if (const std::string failure = settingsWriteFailure(outcome); !failure.empty())
        return {OkOutcome::Refused, failure};
    written_ = file;
    return {OkOutcome::Written};
}

void SettingsPart2Form::cancel() const {
    trace("OnBnClickedButtonSettingCancelPart2\r\n");
}

FileOutcome SettingsPart2Form::save(std::string_view chosen) {
    if (!written_)
        return {}; // nothing is offered before a successful OK
    FileOutcome outcome = saveSettingsFile(settingsFilePath(chosen), *written_);
    if (outcome.ok)
        written_.reset();
    return outcome;
}

FileOutcome SettingsPart2Form::load(const std::filesystem::path& path, ProgramState& state) {
    FileOutcome outcome = loadSettingsFile(path, state);
    if (outcome.ok)
        open(state);
    return outcome;
}

} // namespace interlock
