#include "app/main_menu_logic.h"
#include "app/user_accounts.h"
#include "link/codes.h"
#include "link_fixture.h"
#include "recording_pauser.h"

#include <gtest/gtest.h>

#include <map>
#include <tuple>

namespace interlock {
namespace {

using testing::Bytes;
using testing::frameOf;
using Wait = testing::RecordingPauser::Wait;

// How the interlock answers a read.
enum class Answer { Whole, Short, Silence };

class Menu : public testing::LinkTest {
  protected:
    Menu() {
        // The interlock answers every read whole, unless `answers` says otherwise for
        // the wait numbered there (from 0).
        pauser.meanwhile = [this](std::size_t wait) {
            if (pauser.waits[wait].awaited == 0)
                return;
            const std::uint8_t code = channel.writes.back()[1];
            const auto given = answers.find(wait);
            switch (given != answers.end() ? given->second : Answer::Whole) {
            case Answer::Whole:
                feed(testing::answerTo(code));
                break;
            case Answer::Short:
                feed(testing::shortAnswerTo(code));
                break;
            case Answer::Silence:
                break;
            }
        };
    }

    testing::RecordingPauser pauser;
    Requester requester{state, pauser};
    std::map<std::size_t, Answer> answers;
};

TEST_F(Menu, CaptionAndFirmwareUpdateFollowTheLogDeletedFlag) {
    EXPECT_EQ(menuLook(MainMenu::Part2, state).logCaption, "DOWNLOAD");
    EXPECT_EQ(menuLook(MainMenu::Part1, state).logCaption, "DELETE RECORD");
    EXPECT_FALSE(menuLook(MainMenu::Part2, state).firmwareUpdateEnabled);
    state.logDeleted = true;
    EXPECT_EQ(menuLook(MainMenu::Part2, state).logCaption, "DOWNLOAD\r\n(delete-done)");
    EXPECT_EQ(menuLook(MainMenu::Part1, state).logCaption, "DELETE RECORD\r\n(delete-done)");
    EXPECT_TRUE(menuLook(MainMenu::Part1, state).firmwareUpdateEnabled);
}

TEST_F(Menu, FirmwareUpdateModeOpensTheUpdateFirstAndClosesAfterTheNext) {
    state.dlg_enum = PageRequest::MainPart2;
    EXPECT_FALSE(beginMenu(state));
    EXPECT_EQ(state.dlg_enum, PageRequest::None);
    state.fwUpdateMode = true;
    ASSERT_TRUE(beginMenu(state));
    EXPECT_FALSE(closeMenuAfter(MenuCommand::Part2FirmwareUpdate, state));
    firmwareFirstReturned(state);
    EXPECT_TRUE(closeMenuAfter(MenuCommand::Part2FirmwareUpdate, state));
    EXPECT_TRUE(closeMenuAfter(MenuCommand::Part1Calibration, state));
    EXPECT_FALSE(closeMenuAfter(MenuCommand::Part2Settings, state));
}

TEST_F(Menu, InitialisationWaitsLongerAfterTheIdentityWasWritten) {
    state.identityWritten = true;
    finishMenuInit(requester);
    EXPECT_FALSE(state.identityWritten);
    finishMenuInit(requester);
    EXPECT_EQ(pauser.waits, (std::vector<Wait>{{1000, 0}, {300, 0}}));
    EXPECT_EQ(channel.writes, (std::vector<Bytes>(2, frameOf(request::ReadInfo))));
}

TEST_F(Menu, EachCommandSendsItsReadsWithTheirWaits) {
    using enum MenuCommand;
    const std::vector<std::pair<MenuCommand, std::vector<Bytes>>> cases{
        {Part1Diagnostics, {{0x5E, 1, 0, 0}}},
        {Part1DeleteRecord, {}},
        {Part1Calibration, {}},
        {Part1Settings, {{0x43}, {0x42}}},
        {Part1Pairing, {{0x46}}},
        {Part1OptionalFeatures, {{0x43}, {0x45}}},
        {Part1FirmwareUpdate, {}},
        {Part1PinCode, {{0x45}}},
        {Part2Diagnostics, {}},
        {Part2Calibration, {}},
        {Part2Settings, {{0x43}, {0x42}, {0x49}, {0x45}}},
        {Part2Pairing, {{0x46}}},
        {Part2FirmwareUpdate, {}},
        {Part2OptionalFeatures, {{0x43}, {0x45}}},
        {Part2Override, {{0x45}}},
    };
    for (const auto& [command, reads] : cases) {
        channel.writes.clear();
        pauser.waits.clear();
        runCommandReads(command, requester);
        std::vector<Bytes> frames;
        std::vector<Wait> waits;
        for (const Bytes& read : reads) {
            frames.push_back(frameOf(read[0], Bytes(read.begin() + 1, read.end())));
            // The diagnosis control switches the unit: no early wake.
            const bool control = read[0] == request::DiagnosisControl;
            waits.push_back({300, control ? std::uint8_t{0} : awaitedResponse(read[0])});
        }
        EXPECT_EQ(channel.writes, frames) << static_cast<int>(command);
        EXPECT_EQ(pauser.waits, waits) << static_cast<int>(command);
    }
    for (const char* name : {"Part1Diagnositic", "Part1DeleteRecord", "Part1Setting",
                             "Part1OptionalFeatures", "Part1PinCode", "Part2Diagnositic",
                             "Part2Setting", "Part2FirmwareUpdate", "Part2Override"})
        EXPECT_TRUE(traces.has(std::string("OnBnClickedButton") + name + "\r\n")) << name;
}

TEST_F(Menu, APageThatWritesBackOpensOnlyWhenEveryReadWasAnswered) {
    using enum MenuCommand;
    const std::vector<std::tuple<MenuCommand, std::size_t, std::string>> cases{
        {Part1Settings, 2, "The interlock did not answer the settings read."},
        {Part2Settings, 4, "The interlock did not answer the settings read."},
        {Part1OptionalFeatures, 2, "The interlock did not answer the optional features read."},
        {Part2OptionalFeatures, 2, "The interlock did not answer the optional features read."},
        {Part1PinCode, 1, "The interlock did not answer the PIN code read."},
        {Part2Override, 1, "The interlock did not answer the override read."},
    };
    for (const auto& [command, reads, message] : cases) {
        for (std::size_t failed = 0; failed < reads; ++failed) {
            for (const Answer answer : {Answer::Short, Answer::Silence}) {
                SCOPED_TRACE(::testing::Message() << static_cast<int>(command) << " read " << failed
                                                  << " answer " << int(answer));
                channel.writes.clear();
                pauser.waits.clear();
                answers = {{failed, answer}};
                EXPECT_EQ(runCommandReads(command, requester), message);
                EXPECT_EQ(channel.writes.size(), failed + 1) << "no read after the failed one";
            }
        }
        answers.clear();
        EXPECT_EQ(runCommandReads(command, requester), "");
    }
    // Pages that write nothing back open on whatever was read.
    answers = {{0, Answer::Silence}};
    pauser.waits.clear();
    EXPECT_EQ(runCommandReads(Part2Pairing, requester), "");
}

TEST_F(Menu, DownloadSendsTheKeptDiagnosisBytes) {
    state.diagnosisControl = {0x07, 0x09};
    runCommandReads(MenuCommand::Part2Download, requester);
    EXPECT_EQ(channel.writes, (std::vector<Bytes>{frameOf(0x43), frameOf(0x5E, {1, 7, 9}),
                                                  frameOf(0x5E, {0, 7, 9})}));
    EXPECT_EQ(pauser.waits, (std::vector<Wait>{{300, 0x63}, {300, 0}, {300, 0}}))
        << "each diagnosis control waits its full time";
    EXPECT_TRUE(traces.has("OnBnClickedButtonPart2Download\r\n"));
    runCommandReads(MenuCommand::Part1Diagnostics, requester);
    EXPECT_EQ(state.diagnosisControl, (std::array<std::uint8_t, 2>{0, 0}));
}

TEST_F(Menu, SoftwareChangeRefusesAWrongOrEmptyCode) {
    state.identity.set_Part_type_f(1);
    for (const char* code : {"", "swcqxz402715", "SWCQXZ 402715"}) {
        const SoftwareChangeVerdict verdict = softwareChangeOk(code, requester);
        EXPECT_FALSE(verdict.closePage);
        EXPECT_TRUE(verdict.clearCode);
        EXPECT_EQ(verdict.message, kMasterCodeMessage);
    }
    EXPECT_EQ(traces.count("Master Code not equal\r\n"), 3);
    EXPECT_EQ(traces.count("null string catch username\r\n"), 1);
    EXPECT_TRUE(channel.writes.empty());
    EXPECT_EQ(state.identity.Part_type_f(), 1);
}

TEST_F(Menu, SoftwareChangeWritesPart2AndWaitsThreeSeconds) {
    state.dlg_enum = PageRequest::SoftwareChange;
    beginSoftwareChange(state);
    EXPECT_EQ(state.dlg_enum, PageRequest::None);
    state.identity.set_Part_type_f(1);
    state.identity.set_DUT(5);
    EXPECT_TRUE(softwareChangeOk(kSoftwareChangeCode, requester).closePage);
    Bytes written(state.identity.bytes.begin(), state.identity.bytes.end());
    EXPECT_EQ(written[1], 2);
    EXPECT_EQ(channel.writes, std::vector<Bytes>{frameOf(request::WriteIdentity, written)});
    EXPECT_EQ(pauser.waits, (std::vector<Wait>{{3000, 0}}));
}

TEST_F(Menu, SoftwarePageWritesTheIdentityAsHeldThenHoldsPart2) {
    state.identity.set_Part_type_f(1);
    EXPECT_EQ(softwareTargetText(state), "The software will be changed to PART 1");
    softwareOk(requester);
    EXPECT_EQ(lastWrite()[3 + 1], 1);
    EXPECT_EQ(softwareTargetText(state), "The software will be changed to PART 2");
    EXPECT_EQ(pauser.waits, (std::vector<Wait>{{300, 0}}));
    EXPECT_TRUE(traces.has("OnBnClickedButtonSoftwareOk\r\n"));
}

} // namespace
} // namespace interlock
