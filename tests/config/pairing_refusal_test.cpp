// Every page of this group sends its writes as before, but a NACK heard meanwhile
// keeps the page open with the refusal, and so does a line lost meanwhile; an ACK or
// silence lets it close.
#include "config/new_pair_logic.h"
#include "config/optional_feature_logic.h"
#include "config/override_logic.h"
#include "config/pin_code_logic.h"
#include "config/serial_number_logic.h"
#include "config/settings_write.h"
#include "config/test_page_logic.h"
#include "link/write_outcome.h"
#include "written_frames.h"

#include <gtest/gtest.h>

namespace interlock {
namespace {

using testing::Bytes;
using testing::frameOf;

class RefusedWrites : public testing::PageCoreTest {
  protected:
    // Runs a page's OK; the refusal text shown, empty when the page closes.
    struct PageOk {
        const char* page;
        std::size_t writes;
        std::function<std::string()> ok;
    };
    std::vector<PageOk> pages() {
        TestPageFields test = testPageFields(state);
        test.edit(TestEdit::HandSerial) = "HS000001";
        test.edit(TestEdit::ControlSerial) = "CB000002";
        return {
            {"OPTIONAL FEATURE", 2,
             [this] {
                 return featureOk(FeatureForm::Part2, {true, true, true, true, true}, requester);
             }},
            {"OVERRIDE", 1,
             [this] {
                 return overrideOk({false, "12", "1234"}, requester).message;
             }},
            {"PIN CODE", 1, [this] { return pinCodeOk("0042", requester).message; }},
            {"SERIAL NUMBER", 1,
             [this] { return serialNumberOk("HS000001", "CB000002", requester); }},
            {"NEW PAIR", 1, [this] { return newPairOk(NewPairForm::Part2, true, requester); }},
            {"test page", 1, [this, test] { return testPageWrite(test, CivilTime{}, requester); }},
        };
    }
};

TEST_F(RefusedWrites, ANackDuringAnyWaitKeepsThePageOpen) {
    for (const PageOk& page : pages()) {
        for (std::size_t wait = 0; wait < page.writes; ++wait) {
            clearRecords();
            refuseDuringWait(wait);
            EXPECT_EQ(page.ok(), kSettingsWriteRefused) << page.page << " wait " << wait;
            EXPECT_EQ(channel.writes.size(), page.writes) << page.page;
        }
    }
}

TEST_F(RefusedWrites, ALineLostDuringAnyWaitKeepsThePageOpenAndSaysSo) {
    for (const PageOk& page : pages()) {
        for (std::size_t wait = 0; wait < page.writes; ++wait) {
            clearRecords();
            loseLineDuringWait(wait);
            refuseDuringWait(0); // the lost line outweighs a refusal heard before it
            EXPECT_EQ(page.ok(), kSettingsWriteLineLost) << page.page << " wait " << wait;
        }
    }
}

TEST_F(RefusedWrites, AnAckOrSilenceLetsThePageClose) {
    for (const Bytes& answer :
         {frameOf(response::ACK), frameOf(response::PC_WHOLE_WRITE), Bytes{}}) {
        for (const PageOk& page : pages()) {
            clearRecords();
            pauser.answers[0] = answer;
            EXPECT_EQ(page.ok(), "") << page.page;
        }
    }
    // A damaged NACK is no refusal.
    clearRecords();
    pauser.answers[0] = testing::withBadCrc(frameOf(response::NACK));
    EXPECT_EQ(pinCodeOk("0042", requester).message, "");
}

TEST_F(RefusedWrites, ANackHeardBeforeOkIsNoRefusal) {
    for (const PageOk& page : pages()) {
        clearRecords();
        feed(frameOf(response::NACK)); // no write pending: nobody asked for it
        EXPECT_EQ(page.ok(), "") << page.page;
    }
}

TEST_F(RefusedWrites, WritesWithTheLineAlreadyLostSayTheSettingsWereNotWritten) {
    state.link.setChannel(nullptr);
    for (const PageOk& page : pages()) {
        clearRecords();
        EXPECT_EQ(page.ok(), kSettingsWriteLineLost) << page.page;
    }
}

} // namespace
} // namespace interlock
