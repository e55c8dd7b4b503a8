#include "config/new_pair_logic.h"
#include "config/pairing_logic.h"
#include "config/serial_number_logic.h"
#include "link/codes.h"
#include "written_frames.h"

#include <gtest/gtest.h>

namespace interlock {
namespace {

using testing::Bytes;
using testing::frameOf;

class Pairing : public testing::PageCoreTest {
  protected:
    Pairing() {
        state.identity.set_handset_serial("HS000001");
        state.identity.set_control_serial("CB000002");
    }
    Bytes identityFrame() const {
        return frameOfRecord(request::WriteIdentity, state.identity.view());
    }
};

TEST_F(Pairing, VersionsShowAsUpperCaseHexadecimal) {
    state.info.set_version(16, 10);
    EXPECT_EQ(pairingTexts(state).firmware, "VER : 10.0A\r\n");
    state.info.set_version(4, 4);
    EXPECT_EQ(pairingTexts(state).firmware, "VER : 04.04\r\n");
    EXPECT_EQ(pairingTexts(state).pc, "PC : 04.04\r\n");
}

TEST_F(Pairing, ButtonsWaitBeforeTheirPages) {
    pauser.answers[0] = testing::answerTo(request::Pairing);
    EXPECT_EQ(pairingSerialNumber(requester), "");
    EXPECT_EQ(channel.writes, std::vector<Bytes>{frameOf(request::Pairing)});
    pairingSoftware(requester);
    state.identity.set_Part_type_f(2);
    EXPECT_EQ(pairingNewPair(requester), NewPairForm::Part2);
    for (const std::uint8_t line : {0, 1, 3}) {
        state.identity.set_Part_type_f(line);
        EXPECT_EQ(pairingNewPair(requester), NewPairForm::Part1) << int(line);
    }
    EXPECT_EQ(channel.writes.size(), 1u);
    EXPECT_EQ(pauser.waits,
              (std::vector<Wait>{
                  {300, response::TE_ID}, {300, 0}, {300, 0}, {300, 0}, {300, 0}, {300, 0}}));
}

TEST_F(Pairing, SerialNumberPageNeedsTheInterlocksAnswer) {
    for (const Bytes& answer : {Bytes{}, testing::shortAnswerTo(request::Pairing)}) {
        clearRecords();
        pauser.answers[0] = answer;
        EXPECT_EQ(pairingSerialNumber(requester),
                  "The interlock did not answer the serial number read.");
    }
}

TEST_F(Pairing, OnlyTheConnectedUnitsSerialIsEditable) {
    for (const auto& [dut, handEditable] :
         std::vector<std::pair<std::uint8_t, bool>>{{0, true}, {1, false}, {2, true}, {9, true}}) {
        state.identity.set_DUT(dut);
        const SerialNumberFields fields = serialNumberOpening(state);
        EXPECT_EQ(fields.handEditable, handEditable) << int(dut);
        EXPECT_EQ(fields.controlEditable, !handEditable) << int(dut);
        EXPECT_EQ(fields.hand, "HS000001");
        EXPECT_EQ(fields.control, "CB000002");
    }
}

TEST_F(Pairing, SerialNumberLengthsAreCheckedHandsetFirst) {
    const std::string handset(kHandsetIdLengthMessage);
    const std::string control(kControlIdLengthMessage);
    const std::vector<std::tuple<const char*, const char*, std::string>> cases{
        {"1234567", "12345678", handset},   {"123456789", "12345678", handset},
        {"1234567", "1234567", handset},    {"12345678", "1234567", control},
        {"12345678", "123456789", control}, {"", "", handset},
    };
    const IdentityRecord before = state.identity;
    for (const auto& [hand, unit, message] : cases)
        EXPECT_EQ(serialNumberOk(hand, unit, requester), message) << hand << "/" << unit;
    EXPECT_TRUE(channel.writes.empty());
    EXPECT_EQ(state.identity, before);
}

TEST_F(Pairing, SerialNumbersOfAnyEightCharactersAreWrittenAsPart2) {
    state.identity.set_Part_type_f(1);
    state.identity.set_DUT(ENUM_DUT_HANDSET);
    EXPECT_EQ(serialNumberOk("A-1 b.;Z", "CB000002", requester), "");
    EXPECT_EQ(state.identity.handset_serial(), "A-1 b.;Z");
    EXPECT_EQ(state.identity.control_serial(), "CB000002");
    EXPECT_EQ(state.identity.Part_type_f(), 2);
    EXPECT_EQ(channel.writes, std::vector<Bytes>{identityFrame()});
    // Closed as soon as the interlock acknowledges.
    EXPECT_EQ(pauser.waits, (std::vector<Wait>{{300, response::ACK}}));
    EXPECT_TRUE(traces.has("Edit_Serial_Number_Hand_Unit = A-1 b.;Z\r\n"));
}

TEST_F(Pairing, NewPairCommandByFormAndBox) {
    const std::vector<std::tuple<NewPairForm, bool, std::uint8_t, const char*>> cases{
        {NewPairForm::Part1, false, 5, "OnBnClickedButtonNewPairPart1Ok\r\n"},
        {NewPairForm::Part1, true, 5, "OnBnClickedButtonNewPairPart1Ok\r\n"},
        {NewPairForm::Part2, false, 3, "IDC_CHECK_ALL_DATA_DELETE none check\r\n"},
        {NewPairForm::Part2, true, 5, "IDC_CHECK_ALL_DATA_DELETE check\r\n"},
    };
    for (const auto& [form, deleteAll, command, traceLine] : cases) {
        state.identity.set_Part_type_f(1);
        state.identity.set_pairing_command(0);
        clearRecords();
        newPairOk(form, deleteAll, requester);
        EXPECT_EQ(state.identity.pairing_command(), command);
        EXPECT_EQ(state.identity.Part_type_f(), 2);
        EXPECT_EQ(state.identity.handset_serial(), "HS000001");
        EXPECT_EQ(channel.writes, std::vector<Bytes>{identityFrame()});
        EXPECT_EQ(pauser.waits, (std::vector<Wait>{{300, 0}}));
        EXPECT_TRUE(traces.has(traceLine)) << traceLine;
    }
}

} // namespace
} // namespace interlock
