#include "config/settings_part1_form.h"

#include "config/settings_write.h"
#include "link/checked_records.h"
#include "link/codes.h"
#include "link/trace.h"
#include "link/write_outcome.h"

namespace interlock {

namespace {

constexpr ValueRange<Part1Edit> kServiceDateRange{Part1Edit::ServiceDate, "SERVICE DATE", 1, 365,
                                                  "1"};
constexpr ValueRange<Part1Edit> kGracePeriodRange{Part1Edit::GracePeriod, "GRACE PERIOD", 1, 250,
                                                  "1"};

void traceValues(const ProgramState& state) {
    trace("Te_Option_t.service_fix_date = %d\r\n", state.option.service_fix_date());
    trace("Te_Config_Data_t.lock_out_warning = %d\r\n", state.config.lock_out_warning());
}

} // namespace

void SettingsPart1Form::open(const ProgramState& state) {
    traceValues(state);
    edits_.put(Part1Edit::ServiceDate, std::to_string(state.option.service_fix_date()));
    edits_.put(Part1Edit::GracePeriod, std::to_string(state.config.lock_out_warning()));
}

OkVerdict SettingsPart1Form::ok(Requester& requester) {
    trace("OnBnClickedButtonSettingPart1Ok\r\n");
    const std::string refusal =
        firstRefusal({[this] { return edits_.refusal(kServiceDateRange); },
                      [this] { return edits_.refusal(kGracePeriodRange); }});
    if (!refusal.empty())
        return {OkOutcome::Invalid, refusal};
    const std::uint32_t serviceDate = edits_.value(Part1Edit::ServiceDate);
    const std::uint32_t gracePeriod = edits_.value(Part1Edit::GracePeriod);
    ProgramState& state = requester.state();
    state.option.set_service_fix_date(static_cast<std::uint16_t>(serviceDate));
    state.config.set_lock_out_warning(static_cast<std::uint8_t>(gracePeriod));

    const CheckedRecords<&ProgramState::option, &ProgramState::config> checked(state);
    const WriteOutcome outcome(state);
    requester.write(request::WriteOption, checked.get<Te_Option_t>().view(), kSettingsWriteWaitMs);
    requester.write(request::WriteConfig, checked.get<Te_Config_Data_t>().view(),
                    kSettingsWriteWaitMs);
    checked.restore(state);
    traceValues(state);
    if (const std::string failure = settingsWriteFailure(outcome); !failure.empty())
        return {OkOutcome::Refused, failure};
    return {OkOutcome::Written};
}

} // namespace interlock
