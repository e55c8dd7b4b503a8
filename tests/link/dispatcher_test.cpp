#include "link/codes.h"
#include "link_fixture.h"

#include <functional>

using namespace interlock;
using namespace interlock::testing;

namespace {

Bytes asBytes(std::span<const std::uint8_t> view) {
    return Bytes(view.begin(), view.end());
}

struct RecordCase {
    std::uint8_t code;
    const char* crcFailure;
    std::size_t size;
    std::function<std::span<const std::uint8_t>(const ProgramState&)> record;
};

const RecordCase kRecordCases[] = {
    {response::TE_ID, "TE_ID crc not equal\r\n", 19,
     [](const ProgramState& s) { return s.identity.view(); }},
    {response::TE_OPTION, "TE_OPTION crc not equal\r\n", 10,
     [](const ProgramState& s) { return s.option.view(); }},
    {response::TE_CONFIG_DATA, "TE_CONFIG_DATA crc not equal\r\n", 19,
     [](const ProgramState& s) { return s.config.view(); }},
    {response::TE_SERVICE, "TE_SERVICE crc not equal\r\n", 13,
     [](const ProgramState& s) { return s.service.view(); }},
    {response::TE_INFO, "TE_INFO crc not equal\r\n", 7,
     [](const ProgramState& s) { return s.info.view(); }},
    {response::TE_G_SENSOR, "TE_G_SENSOR crc not equal\r\n", 5,
     [](const ProgramState& s) { return s.gSensor.view(); }},
    {response::TE_DIAGNOSIS, "TE_DIAGNOSIS crc not equal\r\n", 24,
     [](const ProgramState& s) { return s.diagnosis.view(); }},
    {response::RESPONSE_CAL_STATUS, "RESPONSE_CAL_STATUS crc not equal\r\n", 7,
     [](const ProgramState& s) { return s.calStatus.view(); }},
    {response::RESPONSE_CAL_VALUE, "CMD_VALUE crc not equal\r\n", 6,
     [](const ProgramState& s) { return s.calValue.view(); }},
};

class Dispatcher : public LinkTest {};

TEST_F(Dispatcher, GoodRecordIsCopiedBadOneKeepsTheOldCopy) {
    for (const RecordCase& c : kRecordCases) {
        SCOPED_TRACE(c.crcFailure);
        const Bytes first = counting(c.size, 1); // byte 1 is 2: PART 2, no identity write
        feed(frameOf(c.code, first));
        EXPECT_EQ(asBytes(c.record(state)), first);

        feed(withBadCrc(frameOf(c.code, counting(c.size, 0x80))));
        EXPECT_EQ(asBytes(c.record(state)), first);
        EXPECT_EQ(traces.count(c.crcFailure), 1);
    }
    EXPECT_EQ(host.diagnosisRefreshes, 1) << "the page is refreshed by a good report only";
}

TEST_F(Dispatcher, ShortAnswerKeepsTheOldRecordLongerOneFillsIt) {
    for (const RecordCase& c : kRecordCases) {
        SCOPED_TRACE(c.crcFailure);
        const Bytes first = counting(c.size, 1);
        feed(frameOf(c.code, first));
        const std::uint32_t answers = state.answersReceived[c.code];
        const std::size_t writes = channel.writes.size();

        feed(frameOf(c.code, counting(c.size - 1, 0x80)));
        feed(frameOf(c.code));
        EXPECT_EQ(asBytes(c.record(state)), first);
        EXPECT_EQ(state.answersReceived[c.code], answers) << "no wait ends on a damaged answer";
        EXPECT_EQ(channel.writes.size(), writes) << "nothing is answered";

        // A firmware that appends fields: the record's own bytes are taken.
        const Bytes longer = counting(c.size + 3, 1);
        feed(frameOf(c.code, longer));
        EXPECT_EQ(asBytes(c.record(state)), Bytes(longer.begin(), longer.begin() + c.size));
    }
    EXPECT_EQ(traces.count("short answer 0x60: 18 of 19 bytes\r\n"), 1);
    EXPECT_EQ(traces.count("short answer 0x"), static_cast<int>(2 * std::size(kRecordCases)));
    EXPECT_FALSE(traces.has("crc error clear")) << "the frames after it are kept";
}

TEST_F(Dispatcher, EveryGoodCalibrationReportIsStoredAndAnswered) {
    // No calibration was started in this run: the interlock still gets its answers,
    // and the calibration dialogue decides what the reports mean.
    host.now = {2026, 3, 4, 5, 6, 7};
    const Bytes value{0x01, 0xF4, 0x00, 0x01, 0xC0, 0xDE};
    feed(frameOf(response::RESPONSE_CAL_VALUE, value));
    feed(frameOf(response::RESPONSE_CAL_STATUS, {1, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(asBytes(state.calValue.view()), value);
    EXPECT_EQ(state.calStatus.test_status(), 1);
    EXPECT_EQ(channel.writes, (std::vector<Bytes>{frameOf(request::CalValueEcho, value),
                                                  frameOf(request::TimeAnswer,
                                                          {0, 0, 26, 3, 4, 5, 6, 7, 0, 0, 0})}));
    EXPECT_EQ(host.calibrationReports, 2);
}

TEST_F(Dispatcher, RecordsAndTheWholeWriteAnswerAreTraced) {
    feed(frameOf(response::TE_G_SENSOR, {0x02, 0x00, 0xAB, 0x10, 0xFF}));
    feed(frameOf(response::PC_WHOLE_WRITE));
    EXPECT_EQ(traces.text, "TE_G_SENSOR 0x2 0x0 0xab 0x10 0xff \r\nPC_WHOLE_WRITE\r\n");
    EXPECT_TRUE(channel.writes.empty());
}

class Identity : public LinkTest {
  protected:
    void answer(std::uint8_t partType, std::uint8_t code = response::TE_ID) {
        IdentityRecord id;
        id.set_Part_type_f(partType);
        id.set_DUT(ENUM_DUT_HANDSET);
        id.set_handset_serial("HS000001");
        feed(frameOf(code, asBytes(id.view())));
    }
};

TEST_F(Identity, UnsetProductLineIsWrittenBackAsPart2ThenMenuAfterPause) {
    answer(0);
    EXPECT_EQ(state.identity.Part_type_f(), 2);
    EXPECT_TRUE(state.identityWritten);
    EXPECT_TRUE(state.identitySeen);
    ASSERT_EQ(channel.writes.size(), 1u);
    EXPECT_EQ(lastWrite(), frameOf(request::WriteIdentity, asBytes(state.identity.view())));
    EXPECT_EQ(lastWrite()[4], 2);
    EXPECT_TRUE(traces.has("Whoami = 2\r\n"));

    EXPECT_EQ(state.dlg_enum, PageRequest::None) << "the menu waits for the write to settle";
    ASSERT_EQ(host.scheduled.size(), 1u);
    EXPECT_EQ(host.scheduled[0].ms, 300);
    host.runScheduled();
    EXPECT_EQ(state.dlg_enum, PageRequest::MainPart2);
}

TEST_F(Identity, AnswerDuringTheWritePauseDoesNotChangeTheMenu) {
    answer(0);
    answer(1); // the interlock repeats itself before the pause is over
    EXPECT_FALSE(state.identityWritten);
    host.runScheduled();
    EXPECT_EQ(state.dlg_enum, PageRequest::MainPart2);
}

TEST_F(Identity, KnownProductLineChoosesThePageAtOnce) {
    const std::pair<std::uint8_t, PageRequest> cases[] = {{2, PageRequest::MainPart2},
                                                          {1, PageRequest::SoftwareChange},
                                                          {7, PageRequest::SoftwareChange}};
    for (const auto& [partType, page] : cases) {
        state.identitySeen = false; // a new connection
        state.dlg_enum = PageRequest::None;
        answer(partType, response::TE_ID_ALT);
        EXPECT_EQ(state.dlg_enum, page) << int(partType);
        EXPECT_FALSE(state.identityWritten);
    }
    EXPECT_TRUE(channel.writes.empty());
    EXPECT_TRUE(host.scheduled.empty());
    EXPECT_EQ(state.answersReceived[response::TE_ID], 3u);
}

TEST_F(Identity, LaterAnswersOfAConnectionOnlyUpdateTheRecord) {
    answer(2);
    state.dlg_enum = PageRequest::None; // the menu opened and reset it
    state.identityWritten = true;
    answer(1);
    answer(0, response::TE_ID_ALT);
    EXPECT_EQ(state.dlg_enum, PageRequest::None);
    EXPECT_EQ(state.identity.Part_type_f(), 0);
    EXPECT_FALSE(state.identityWritten);
    EXPECT_TRUE(channel.writes.empty());
}

class Info : public LinkTest {
  protected:
    void answer(std::uint8_t major, std::uint8_t minor) {
        InfoRecord info;
        info.set_version(major, minor);
        feed(frameOf(response::TE_INFO, asBytes(info.view())));
        host.runScheduled();
    }
};

TEST_F(Info, KnownVersionOpensNothing) {
    answer(4, 4);
    EXPECT_TRUE(traces.has("FW Version equal!!\r\n"));
    EXPECT_EQ(host.versionNotices, 0);
    EXPECT_EQ(state.Log_FW_Check, 0x0404u);
    EXPECT_TRUE(traces.has("Log_FW_Check = 1028\r\n"));
}

TEST_F(Info, OtherVersionShowsTheNoticeOncePerRun) {
    answer(4, 3);
    EXPECT_TRUE(traces.has("FW Version Not equal!!\r\n"));
    EXPECT_EQ(host.versionNotices, 1);
    EXPECT_EQ(state.Log_FW_Check, 0x0403u);

    state.identitySeen = false; // reconnecting does not bring it back
    answer(5, 1);
    EXPECT_EQ(host.versionNotices, 1);
    EXPECT_EQ(traces.count("FW Version"), 1);
    EXPECT_EQ(state.Log_FW_Check, 0x0501u);
}

TEST_F(Info, VersionCheckOfTheUpdatePageOnlyAnswersIt) {
    state.versionCheckRequest = true;
    answer(4, 3);
    EXPECT_FALSE(state.versionCheckRequest);
    EXPECT_EQ(host.versionCheckAnswers, 1);
    EXPECT_EQ(state.info.minor(), 3);
    EXPECT_FALSE(state.infoSeen);
    EXPECT_EQ(host.versionNotices, 0);
    EXPECT_FALSE(traces.has("Log_FW_Check"));

    answer(4, 3); // the next ordinary answer is checked as usual
    EXPECT_EQ(host.versionCheckAnswers, 1);
    EXPECT_EQ(host.versionNotices, 1);
}

class WholeRead : public LinkTest {
  protected:
    Bytes whole(std::uint8_t dut, std::size_t size = 66) {
        Bytes payload = counting(size, 0x20);
        payload[2] = dut;
        return payload;
    }
    static Bytes slice(const Bytes& b, std::size_t at, std::size_t n) {
        return Bytes(b.begin() + static_cast<std::ptrdiff_t>(at),
                     b.begin() + static_cast<std::ptrdiff_t>(at + n));
    }
};

TEST_F(WholeRead, ControlUnitFillsEveryRecord) {
    const Bytes payload = whole(ENUM_DUT_CONTROLBOX);
    feed(frameOf(response::PC_WHOLE_READ, payload));
    EXPECT_EQ(asBytes(state.identity.view()), slice(payload, 0, 19));
    EXPECT_EQ(asBytes(state.option.view()), slice(payload, 19, 10));
    EXPECT_EQ(asBytes(state.config.view()), slice(payload, 29, 19));
    EXPECT_EQ(asBytes(state.service.view()), slice(payload, 48, 13));
    EXPECT_EQ(asBytes(state.gSensor.view()), slice(payload, 61, 5));
    EXPECT_EQ(traces.text, "ENUM_DUT_CONTROLBOX\r\nsize = 19 10 19 13\r\n");
    EXPECT_EQ(state.answersReceived[response::PC_WHOLE_READ], 1u);
}

TEST_F(WholeRead, OtherUnitsLeaveTheGSensorZero) {
    const std::pair<std::uint8_t, const char*> units[] = {
        {ENUM_DUT_HANDSET, "ENUM_DUT_HANDSET\r\n"},
        {ENUM_DUT_NONE, "ENUM_DUT_NONE\r\n"},
        {9, "=======================error============================"}};
    for (const auto& [dut, name] : units) {
        state.gSensor.set_Sensitivity(3);
        feed(frameOf(response::PC_WHOLE_READ, whole(dut)));
        EXPECT_EQ(state.gSensor, Te_G_Sensor_t{}) << name;
        EXPECT_TRUE(traces.has(name));
    }
    // A handset may leave the G-sensor part off altogether.
    const Bytes shortWhole = whole(ENUM_DUT_HANDSET, 61);
    feed(frameOf(response::PC_WHOLE_READ, shortWhole));
    EXPECT_EQ(asBytes(state.service.view()), slice(shortWhole, 48, 13));
    EXPECT_EQ(traces.count("size = 19 10 19 13\r\n"), 4);
}

TEST_F(WholeRead, ShortAnswerKeepsEveryRecord) {
    state.identity.set_handset_serial("HS000009");
    const std::pair<std::uint8_t, std::size_t> cases[] = {
        {ENUM_DUT_CONTROLBOX, 65}, {ENUM_DUT_CONTROLBOX, 61}, {ENUM_DUT_HANDSET, 60}, {0, 2}};
    for (const auto& [dut, size] : cases) {
        Bytes payload = counting(size, 0x20);
        if (size > 2)
            payload[2] = dut;
        feed(frameOf(response::PC_WHOLE_READ, payload));
    }
    EXPECT_EQ(state.identity.handset_serial(), "HS000009");
    EXPECT_EQ(state.option, Te_Option_t{});
    EXPECT_EQ(state.answersReceived[response::PC_WHOLE_READ], 0u);
    EXPECT_EQ(traces.count("short answer 0x86: "), 4);
    EXPECT_TRUE(traces.has("short answer 0x86: 61 of 66 bytes\r\n"));
}

} // namespace
