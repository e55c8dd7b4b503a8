// The simulated interlock's own records pass every configuration page's checks: a
// technician pressing OK on an unchanged page in the demo sees the write go through,
// and goes on writing the same however the line behaves meanwhile.
#include "config/new_pair_logic.h"
#include "config/optional_feature_logic.h"
#include "config/override_logic.h"
#include "config/pin_code_logic.h"
#include "config/serial_number_logic.h"
#include "config/settings_part1_form.h"
#include "config/settings_part2_form.h"
#include "config/test_page_logic.h"
#include "simulator_records.h"
#include "written_frames.h"

#include <functional>
#include <string>
#include <vector>

namespace interlock {
namespace {

class SimulatorDefaults : public testing::PageCoreTest {
  protected:
    void holdSimulatorRecords() { testing::holdSimulatorRecords(state); }
    static std::string messageOf(const OkVerdict& verdict) {
        return verdict.outcome == OkOutcome::Written ? "" : verdict.message + " (not written)";
    }
    // OK on every page that writes, unchanged: empty when written, else what it said.
    std::vector<std::pair<const char*, std::function<std::string()>>> pages() {
        return {
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
                 return serialNumberOk(state.identity.handset_serial(),
                                       state.identity.control_serial(), requester);
             }},
            {"NEW PAIR", [this] { return newPairOk(NewPairForm::Part2, false, requester); }},
            {"test page",
             [this] { return testPageWrite(testPageFields(state), CivilTime{}, requester); }},
        };
    }
};

TEST_F(SimulatorDefaults, OkOnEveryUnchangedPageWrites) {
    for (const auto& [page, ok] : pages()) {
        holdSimulatorRecords();
        clearRecords();
        EXPECT_EQ(ok(), "") << page;
        EXPECT_FALSE(channel.writes.empty()) << page;
    }
}

// Records the interlock sends unasked while a page waits between its writes (say its
// old records) change nothing that goes out: every write carries what OK checked.
TEST_F(SimulatorDefaults, RecordsArrivingDuringAnyWaitChangeNothingWritten) {
    using testing::Bytes;
    using testing::counting;
    using testing::frameOf;
    state.identitySeen = true; // a connected unit
    const Bytes stray = testing::concat({frameOf(response::TE_OPTION, counting(10, 0xA0)),
                                         frameOf(response::TE_CONFIG_DATA, counting(19, 0xB0)),
                                         frameOf(response::TE_SERVICE, counting(13, 0xC0)),
                                         frameOf(response::TE_G_SENSOR, counting(5, 0xD0)),
                                         frameOf(response::TE_ID, counting(19, 0xE0))});
    for (const auto& [page, ok] : pages()) {
        holdSimulatorRecords();
        clearRecords();
        ok();
        const std::vector<Bytes> written = channel.writes;
        const std::size_t waits = pauser.waits.size();
        for (std::size_t wait = 0; wait < waits; ++wait) {
            holdSimulatorRecords();
            clearRecords();
            pauser.answers[wait] = stray;
            EXPECT_EQ(ok(), "") << page << ", records during wait " << wait;
            EXPECT_EQ(channel.writes, written) << page << ", records during wait " << wait;
        }
    }
}

} // namespace
} // namespace interlock
