#include "config/override_logic.h"
#include "config/pin_code_digits.h"
#include "config/pin_code_logic.h"
#include "link/codes.h"
#include "written_frames.h"

#include <gtest/gtest.h>

namespace interlock {
namespace {

using testing::Bytes;

class PinPages : public testing::PageCoreTest {
  protected:
    Bytes pinBytes() const {
        return Bytes(state.service.bytes.begin() + 9, state.service.bytes.end());
    }
};

TEST(PinDigits, FilterAndNumbersTakeDigitsOnly) {
    EXPECT_EQ(digitsOnly("0123"), "0123");
    for (const char* text : {"12a4", " 123", "-1", "１２"})
        EXPECT_EQ(digitsOnly(text), "") << text;
    EXPECT_EQ(decimalValue(""), 0u);
    EXPECT_EQ(decimalValue("00042"), 42u);
    EXPECT_EQ(decimalValue("12ab7"), 12u);
    EXPECT_EQ(decimalValue("99999999999999999999999"), 4294967295u);
}

TEST_F(PinPages, PinDigitsKeepLeadingZerosBothWays) {
    storePinDigits(state.service, "0042");
    EXPECT_EQ(pinBytes(), (Bytes{0, 0, 4, 2}));
    EXPECT_EQ(pinText(state.service), "0042");
    storePinDigits(state.service, "7x");
    EXPECT_EQ(pinBytes(), (Bytes{7, 0, 0, 0}));
    storePinDigits(state.service, "98765");
    EXPECT_EQ(pinBytes(), (Bytes{9, 8, 7, 6}));
}

TEST_F(PinPages, PinCodePageWritesOnlyFourDigitsAndWaits300) {
    storePinDigits(state.service, "1111");
    for (const char* pin : {"", "123", "12345"}) {
        const PinPageVerdict verdict = pinCodeOk(pin, requester);
        EXPECT_FALSE(verdict.closePage) << pin;
        EXPECT_EQ(verdict.message, kPinValueMessage);
        EXPECT_EQ(verdict.pinText, "7391");
    }
    EXPECT_TRUE(channel.writes.empty());
    EXPECT_EQ(pinBytes(), (Bytes{1, 1, 1, 1}));
    EXPECT_TRUE(pinCodeOk("0309", requester).closePage);
    EXPECT_EQ(pinBytes(), (Bytes{0, 3, 0, 9}));
    EXPECT_EQ(channel.writes,
              std::vector<Bytes>{frameOfRecord(request::WriteService, state.service.view())});
    EXPECT_EQ(pauser.waits, (std::vector<Wait>{{300, 0}}));
}

TEST_F(PinPages, OverrideOpensOffWithoutHoursAndOnWithThem) {
    EXPECT_TRUE(overrideOpening(state).overrideOff);
    EXPECT_EQ(overrideLook(true).buttonCaption, "On");
    EXPECT_FALSE(overrideLook(true).editsEnabled);
    state.service.set_Override_fix_H(1500);
    storePinDigits(state.service, "0815");
    const OverrideFields fields = overrideOpening(state);
    EXPECT_FALSE(fields.overrideOff);
    EXPECT_EQ(fields.time + "/" + fields.pin, "1500/0815");
    EXPECT_TRUE(traces.has("Te_Service_t.Override_fix_H = 1500\r\npin code = 0815\r\n"));
}

TEST_F(PinPages, OverrideOkRules) {
    struct Case {
        bool off;
        const char* time;
        const char* pin;
        const char* message; // nullptr: accepted
        std::optional<std::string> timeReset;
        std::optional<std::string> pinReset;
        std::uint16_t storedHours;
    };
    const std::string value(kOverrideValueMessage);
    const std::string pin(kPinValueMessage);
    const std::vector<Case> cases{
        {false, "2200", "1234", nullptr, {}, {}, 2200},
        {false, "1", "0000", nullptr, {}, {}, 1},
        {false, "00001", "0000", nullptr, {}, {}, 1}, // too long: warned, then accepted
        {false, "2201", "1234", value.c_str(), "1", {}, 9},
        {false, "0", "1234", value.c_str(), "1", {}, 9},
        {false, "", "1234", value.c_str(), "1", {}, 9},
        {false, "99999999999", "1234", value.c_str(), "1", {}, 9},
        {true, "99999", "4321", nullptr, {}, {}, 0},         // off: 0 whatever the field holds
        {false, "100", "123", pin.c_str(), {}, "8462", 100}, // hours stored before the PIN check
        {true, "5", "", pin.c_str(), {}, "8462", 0},
    };
    for (const Case& c : cases) {
        state.service.set_Override_fix_H(9);
        clearRecords();
        const PinPageVerdict verdict = overrideOk({c.off, c.time, c.pin}, requester);
        const std::string label = std::string(c.time) + "/" + c.pin;
        EXPECT_EQ(verdict.closePage, c.message == nullptr) << label;
        EXPECT_EQ(verdict.message, c.message ? c.message : "") << label;
        EXPECT_EQ(verdict.timeText, c.timeReset) << label;
        EXPECT_EQ(verdict.pinText, c.pinReset) << label;
        EXPECT_EQ(state.service.Override_fix_H(), c.storedHours) << label;
        if (c.message) {
            EXPECT_TRUE(channel.writes.empty()) << label;
            continue;
        }
        EXPECT_EQ(channel.writes,
                  std::vector<Bytes>{frameOfRecord(request::WriteService, state.service.view())})
            << label;
        EXPECT_EQ(pauser.waits, (std::vector<Wait>{{1000, 0}})) << label;
    }
}

TEST_F(PinPages, OverrideFieldsLongerThanFourCharactersBringTheLimitMessage) {
    EXPECT_FALSE(overrideFieldsTooLong({false, "2200", "1234"}));
    EXPECT_TRUE(overrideFieldsTooLong({false, "02200", "1234"}));
    EXPECT_TRUE(overrideFieldsTooLong({true, "1", "12345"}));
}

} // namespace
} // namespace interlock
