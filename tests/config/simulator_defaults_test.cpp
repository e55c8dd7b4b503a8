// The simulated interlock's own records pass every configuration page's checks: a
// technician pressing OK on an unchanged page in the demo sees the write go through.
#include "config/optional_feature_logic.h"
#include "config/override_logic.h"
#include "config/pin_code_logic.h"
#include "config/serial_number_logic.h"
#include "config/settings_part1_form.h"
#include "config/settings_part2_form.h"
#include "config/test_page_logic.h"
#include "sim/device_records.h"
#include "written_frames.h"

#include <functional>
#include <string>
#include <vector>

namespace interlock {
namespace {

class SimulatorDefaults : public testing::PageCoreTest {
  protected:
    void holdSimulatorRecords() {
        const sim::DeviceRecords records = sim::defaultRecords();
        state.identity = records.identity;
        state.option = records.option;
        state.config = records.config;
        state.service = records.service;
        state.gSensor = records.gSensor;
    }
    static std::string messageOf(const OkVerdict& verdict) {
        return verdict.outcome == OkOutcome::Written ? "" : verdict.message + " (not written)";
    }
};

TEST_F(SimulatorDefaults, OkOnEveryUnchangedPageWrites) {
    const std::vector<std::pair<const char*, std::function<std::string()>>> pages{
        {"SETTINGS PART 1",
         [this] {
             SettingsPart1Form form;
             form.open(state);
             return messageOf(form.ok(requester));
         }},
        {"SETTINGS PART 2",
         [this] {
             SettingsPart2Form form;
             form.open(state);
             return messageOf(form.ok(requester));
         }},
        {"OVERRIDE", [this] { return overrideOk(overrideOpening(state), requester).message; }},
        {"PIN CODE", [this] { return pinCodeOk(pinCodeOpening(state), requester).message; }},
        {"OPTIONAL FEATURE",
         [this] {
             return featureOk(FeatureForm::Part2, featureOpening(FeatureForm::Part2, state),
                              requester);
         }},
        {"SERIAL NUMBER",
         [this] {
             return serialNumberOk(state.identity.handset_serial(), state.identity.control_serial(),
                                   requester);
         }},
        {"test page",
         [this] { return testPageWrite(testPageFields(state), CivilTime{}, requester); }},
    };
    for (const auto& [page, ok] : pages) {
        holdSimulatorRecords();
        clearRecords();
        EXPECT_EQ(ok(), "") << page;
        EXPECT_FALSE(channel.writes.empty()) << page;
    }
}

} // namespace
} // namespace interlock
