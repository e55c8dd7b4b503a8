#pragma once

#include "config/field_text.h"
#include "config/option_bits.h"
#include "config/settings_file.h"
#include "config/settings_part2_lists.h"
#include "link/requester.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace interlock {

// The twelve edit boxes of the SETTINGS page, in the order of the page.
enum class Part2Edit {
    ServiceDate,
    GracePeriod,
    RetestMin,
    RetestMax,
    MultiRetestMin,
    MultiRetestMax,
    StartPeriod,
    RestartPeriod,
    FirstBlockingTime,
    SecondBlockingTime,
    OverrideTime,
    PinCode,
};
inline constexpr std::size_t kPart2Edits = 12;

// The ON/OFF pairs of ADDITIONAL SETTING: 0 "OFF", 1 "ON".
struct Part2Radios {
    int m_Radio_Door_Trigger_Part2 = 0;
    int m_Radio_Alarm_Relay_Part2 = 0;
    int m_Radio_Motor_Cycle_Part2 = 0;
    int m_Radio_Driver_Change_Part2 = 0;
    int m_Radio_Override_Part2 = 0;
};

// One row of ADDITIONAL SETTING and the bit of quenlix_option behind it.
struct RadioRow {
    std::string_view caption;
    int Part2Radios::*value;
    std::uint8_t bit;
};
inline constexpr std::array<RadioRow, 5> kRadioRows{{
    {"DOOR TRIGGER", &Part2Radios::m_Radio_Door_Trigger_Part2, kOptionDoorTrigger},
    {"ALARM RELAY", &Part2Radios::m_Radio_Alarm_Relay_Part2, kOptionAlarmRelay},
    {"RETEST ALARM", &Part2Radios::m_Radio_Motor_Cycle_Part2, kOptionRetestAlarm},
    {"DRIVER CHANGE", &Part2Radios::m_Radio_Driver_Change_Part2, kOptionDriverChange},
    {"OVERRIDE(Additonal Button)", &Part2Radios::m_Radio_Override_Part2, kOptionOverrideButton},
}};

inline constexpr int kGSensorWriteWaitMs = 300;
inline constexpr int kServiceWriteWaitMs = 300;

// The SETTINGS page of the PART 2 line without its window: the texts, selections
// and flags its controls show, what each control does to them, and OK, SAVE and
// LOAD on the program-state records. The page mirrors this after every action.
class SettingsPart2Form {
  public:
    // Opening, and again after LOAD: everything from the records as they stand.
    void open(const ProgramState& state);

    void toggleServiceDate();
    void toggleLockOut();
    void toggleOverride();
    // Typed text, through the digit filter; RETEST MIN and MAX also decide whether
    // the MULTI-RETEST pair may be edited.
    void type(Part2Edit edit, std::string_view typed);
    // A new position in a list; out of range is ignored. A new UNIT keeps the
    // BLOCKING LIMIT position, so the same level stays chosen under the new unit.
    void select(Part2List list, int index);
    void setRadio(int Part2Radios::*radio, int value) { radios_.*radio = value ? 1 : 0; }

    // OK: the checks in order, storing group by group, then the four writes. The
    // page stays open in every case.
    OkVerdict ok(Requester& requester);
    void cancel() const;
    // SAVE to the chosen name (".cfg" appended when missing): the settings as the
    // last OK checked and wrote them, whatever the interlock sent since.
    FileOutcome save(std::string_view chosen);
    // LOAD: the records take the file's fields and the page shows them; nothing is sent.
    FileOutcome load(const std::filesystem::path& path, ProgramState& state);

    const std::string& text(Part2Edit edit) const { return edits_.text(edit); }
    bool enabled(Part2Edit edit) const;
    int selected(Part2List list) const { return lists_[static_cast<std::size_t>(list)]; }
    int radio(int Part2Radios::*radio) const { return radios_.*radio; }

    // Each button names the action pressing it takes.
    std::string_view serviceDateCaption() const { return serviceDateOn_ ? "OFF" : "ON"; }
    std::string_view lockOutCaption() const { return lockOutOn_ ? "LOCK OUT OFF" : "LOCK OUT ON"; }
    std::string_view overrideCaption() const { return overrideOff_ ? "On" : "Off"; }
    bool lockOutEnabled() const { return serviceDateOn_; }
    bool gSensorEnabled() const { return gSensorEnabled_; }
    bool saveEnabled() const { return written_.has_value(); }

  private:
    using PutBack = std::initializer_list<std::pair<Part2Edit, std::string_view>>;

    std::uint32_t value(Part2Edit edit) const { return edits_.value(edit); }
    std::string refuse(std::string message, PutBack putBack);
    std::string pairRefusal(const ValueRange<Part2Edit>& min, const ValueRange<Part2Edit>& max,
                            std::string_view orderMessage);
    std::string storeServiceDate(ProgramState& state);
    std::string checkTimes();
    void storeUserSettings(ProgramState& state) const;
    std::string storeOverrideAndPin(ProgramState& state);

    EditTexts<Part2Edit, kPart2Edits> edits_;
    std::array<int, kPart2Lists> lists_{};
    Part2Radios radios_;
    bool serviceDateOn_ = false;
    bool lockOutOn_ = false;
    bool overrideOff_ = false;
    bool multiRetestEnabled_ = false;
    bool gSensorEnabled_ = true;
    // The settings file as the last successful OK wrote it; SAVE is offered while held.
    std::optional<SettingsFileBytes> written_;
};

} // namespace interlock
