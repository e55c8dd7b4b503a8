#include "config/optional_feature_logic.h"

#include "config/option_bits.h"
#include "config/settings_write.h"
#include "link/checked_records.h"
#include "link/codes.h"
#include "link/trace.h"
#include "link/write_outcome.h"

#include <array>
#include <string>

namespace interlock {

namespace {
constexpr std::array<FeatureRow, 3> kPart1Rows{{
    {"DOOR TRIGGER", kOptionDoorTrigger},
    {"ALARM RELAY (RETEST)", kOptionAlarmRelay},
    {"RETEST ALARM", kOptionRetestAlarm},
}};
constexpr std::array<FeatureRow, 5> kPart2Rows{{
    {"DOOR TRIGGER", kOptionDoorTrigger},
    {"ALARM RELAY", kOptionAlarmRelay},
    {"RETEST ALARM", kOptionRetestAlarm},
    {"DRIVER CHANGE", kOptionDriverChange},
    {"OVERRIDE(Additonal Button)", kOptionOverrideButton},
}};
} // namespace

std::span<const FeatureRow> featureRows(FeatureForm form) {
    if (form == FeatureForm::Part1)
        return kPart1Rows;
    return kPart2Rows;
}

std::vector<bool> featureOpening(FeatureForm form, const ProgramState& state) {
    const std::uint8_t option = state.config.quenlix_option();
    std::vector<bool> on;
    for (const FeatureRow& row : featureRows(form)) {
        bool set = (option & row.bit) != 0;
        if (form == FeatureForm::Part2 && row.bit == kOptionOverrideButton)
            set = set && state.service.Override_fix_H() != 0;
        on.push_back(set);
    }
    return on;
}

std::string featureOk(FeatureForm form, const std::vector<bool>& on, Requester& requester) {
    trace(form == FeatureForm::Part1 ? "OnBnClickedButtonOptionPart1Ok\r\n"
                                     : "OnBnClickedButtonOptionPart2Ok\r\n");
    std::string values = "Radio Button =";
    ProgramState& state = requester.state();
    std::uint8_t option = state.config.quenlix_option();
    const auto rows = featureRows(form);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const bool set = i < on.size() && on[i];
        values += set ? " 1" : " 0";
        option = static_cast<std::uint8_t>(set ? option | rows[i].bit : option & ~rows[i].bit);
    }
    trace("%s\r\n", values.c_str());
    state.config.set_quenlix_option(option);
    const CheckedRecords<&ProgramState::config, &ProgramState::service> checked(state);
    const WriteOutcome outcome(state);
    requester.write(request::WriteConfig, checked.get<Te_Config_Data_t>().view(),
                    kSettingsWriteWaitMs);
    requester.write(request::WriteService, checked.get<Te_Service_t>().view(),
                    kSettingsWriteWaitMs);
    checked.restore(state);
    return settingsWriteFailure(outcome);
}

} // namespace interlock
