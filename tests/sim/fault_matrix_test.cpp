// Every way the line can fail, met by the program connected to interlock-sim over a
// pseudo-terminal, offscreen. A row names the simulator's fault, what the technician
// does, and how it must end: nothing stored from a damaged answer, a failed read that
// says so and leaves no export file, a stopped stream, a page that stays usable.
#include "config/settings_part2_page.h"
#include "connected_program.h"
#include "firmware/firmware_update_page.h"
#include "link/codes.h"
#include "link/trace.h"
#include "log/download_page.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <fstream>

using namespace interlock;
using namespace interlock::testing;
namespace fs = std::filesystem;

namespace {
using Bytes = std::vector<std::uint8_t>;
using Args = std::vector<std::string>;

const std::string kFailure =
    "Failure to download log data. Please check the connections and try again.";

bool waitFor(const std::function<bool()>& done, int ms = 20000) {
    return QTest::qWaitFor(done, ms);
}

// The program on interlock-sim with the trace kept; hangUp() is the far end going away.
class FaultMatrix : public ::testing::Test {
  protected:
    void SetUp() override {
        setTraceSink([this](std::string_view line) { traces += line; });
    }
    void TearDown() override { setTraceSink(nullptr); }

    void start(Args args) {
        ASSERT_TRUE(link.start(args)) << link.sim.error();
        link.program.launcher().registerPage(PageRequest::MainPart2, [this] { ++menusOpened; });
    }
    void hangUp() { link.sim.stop(); }
    bool portLostSaid() {
        return link.prompter.saw("Check " + link.program.channel().portName().toStdString() +
                                 " Communication");
    }
    ProgramState& state() { return link.program.state(); }

    ConnectedProgram link;
    std::string traces;
    int menusOpened = 0;
};

void type(QLineEdit* edit, const QString& text) {
    edit->clear();
    QTest::keyClicks(edit, text);
}

template <auto Record> Bytes recordOf(const ProgramState& state) {
    const auto bytes = (state.*Record).view();
    return {bytes.begin(), bytes.end()};
}

// A read whose first answer the line damages.
struct AnswerFault {
    const char* name;
    Args simArgs;
    std::uint8_t request;
    Bytes payload;
    Bytes (*record)(const ProgramState&);
    const char* trace; // what the program notes of the damage; empty: nothing
    bool answerLost = true;
};

// The first answer to `request` comes with its CRC damaged.
AnswerFault badCrc(const char* name, std::uint8_t request, Bytes (*record)(const ProgramState&),
                   const char* trace, Bytes payload = {}) {
    return {name, {"--bad-crc", std::to_string(awaitedResponse(request))}, request, payload, record,
            trace};
}

// A fault of the answer to a read of the version, or to the connect request.
AnswerFault onInfo(const char* name, Args simArgs, const char* trace, bool answerLost = true) {
    return {name, simArgs, request::ReadInfo, {}, recordOf<&ProgramState::info>, trace, answerLost};
}
AnswerFault onConnect(const char* name, Args simArgs, const char* trace, bool answerLost = true) {
    AnswerFault fault = onInfo(name, std::move(simArgs), trace, answerLost);
    fault.request = request::Connect;
    fault.payload = {1};
    fault.record = recordOf<&ProgramState::identity>;
    return fault;
}

const AnswerFault kAnswerFaults[] = {
    onInfo("DroppedByte", {"--drop-byte", "3"}, ""),
    onInfo("CorruptedByte", {"--corrupt-byte", "5"}, "TE_INFO crc not equal\r\n"),
    onInfo("GarbageBetweenFrames", {"--garbage", "0x65"}, "", false),
    onConnect("ShortAnswer", {"--short-answer", "0x60"}, "short answer 0x60: 1 of 19 bytes\r\n"),
    onConnect("UnaskedCalibrationValue", {"--unasked-cal-value", "0x60"},
              "calibration report 0x16 without a calibration\r\n", false),
    badCrc("BadCrcIdentity", request::Connect, recordOf<&ProgramState::identity>,
           "TE_ID crc not equal\r\n", {1}),
    badCrc("BadCrcOption", request::ReadOption, recordOf<&ProgramState::option>,
           "TE_OPTION crc not equal\r\n"),
    badCrc("BadCrcConfig", request::ReadConfig, recordOf<&ProgramState::config>,
           "TE_CONFIG_DATA crc not equal\r\n"),
    badCrc("BadCrcService", request::ReadService, recordOf<&ProgramState::service>,
           "TE_SERVICE crc not equal\r\n"),
    badCrc("BadCrcInfo", request::ReadInfo, recordOf<&ProgramState::info>,
           "TE_INFO crc not equal\r\n"),
    badCrc("BadCrcGSensor", request::ReadGSensor, recordOf<&ProgramState::gSensor>,
           "TE_G_SENSOR crc not equal\r\n"),
    badCrc("BadCrcDiagnosis", request::DiagnosisControl, recordOf<&ProgramState::diagnosis>,
           "TE_DIAGNOSIS crc not equal\r\n", {1, 0, 0}),
    badCrc("BadCrcWholeRead", request::WholeRead, recordOf<&ProgramState::config>,
           "PC_WHOLE_READ crc error\r\n"),
};

void PrintTo(const AnswerFault& row, std::ostream* out) {
    *out << row.name;
}

class DamagedAnswer : public FaultMatrix, public ::testing::WithParamInterface<AnswerFault> {};

// A DOWNLOAD page read that the line spoils, or that meets an empty log.
struct DownloadFault {
    const char* name;
    Args simArgs;
    std::string message; // the read's last word
    bool fileWritten;
    bool logToDelete = false;
    std::size_t hangUpAfterBytes = 0; // 0: the line stays
};

const DownloadFault kDownloadFaults[] = {
    {"StallInHeader", {"--stall-header", "10"}, kFailure, false},
    {"StallInEvents", {"--stall-log", "60"}, kFailure, false},
    {"HangUpDuringDownload", {"--log-count", "2000"}, kFailure, false, false, 2000},
    {"WrongRecordCheck", {"--bad-record-check", "40"}, kFailure, false},
    {"WrongTotal", {"--bad-total"}, kFailure, false},
    {"HeaderLengthZero", {"--empty-header", "0"}, "Event Read Complete", true, true},
    {"HeaderLengthErased", {"--empty-header", "ffffffff"}, "Event Read Complete", true, true},
    {"EventLengthZero", {"--log-count", "0"}, "Event Log Read Complete", true},
    {"EventLengthErased", {"--erased-log"}, "Event Log Read Complete", true},
};

void PrintTo(const DownloadFault& row, std::ostream* out) {
    *out << row.name;
}

class SpoiledDownload : public FaultMatrix, public ::testing::WithParamInterface<DownloadFault> {};

template <typename Row> std::string rowName(const ::testing::TestParamInfo<Row>& info) {
    return info.param.name;
}
} // namespace

TEST_P(DamagedAnswer, StoresNothingAndTheLineRecoversForTheNextRead) {
    const AnswerFault& row = GetParam();
    Args args{"--no-pacing", "--part", "2"};
    args.insert(args.end(), row.simArgs.begin(), row.simArgs.end());
    start(args);
    const std::uint8_t code = awaitedResponse(row.request);
    const Bytes before = row.record(state());

    link.program.requester().read(row.request, row.payload);
    if (row.answerLost) {
        QTest::qWait(100);
        EXPECT_EQ(state().answersReceived[code], 0u);
        EXPECT_EQ(row.record(state()), before) << "nothing of the damaged answer is kept";
        EXPECT_EQ(menusOpened, 0);
        // Whatever is left half-received is given up within six idle ticks.
        EXPECT_TRUE(waitFor([this] { return !state().ring.hasUnconsumed(); }, 2000));
        link.program.requester().read(row.request, row.payload);
    }
    EXPECT_TRUE(waitFor([&] { return state().answersReceived[code] == 1; }, 2000));
    EXPECT_NE(row.record(state()), before);
    EXPECT_TRUE(waitFor([&] { return traces.find(row.trace) != std::string::npos; }, 1000))
        << traces;
    EXPECT_FALSE(state().ring.hasUnconsumed());
    // A calibration report nobody asked for is answered and judged not at all.
    EXPECT_EQ(state().calVerdict, CalVerdict::None);
    EXPECT_EQ(state().calValueText, "");
    if (row.request == request::Connect) {
        EXPECT_TRUE(waitFor([this] { return menusOpened == 1; }, 1000));
        EXPECT_EQ(state().identity.handset_serial(), "HS000123") << "nothing was written back";
    }
}

INSTANTIATE_TEST_SUITE_P(Row, DamagedAnswer, ::testing::ValuesIn(kAnswerFaults),
                         rowName<AnswerFault>);

TEST_P(SpoiledDownload, EndsWithItsMessageAndNoFileThatLooksComplete) {
    const DownloadFault& row = GetParam();
    ScratchFolder folder(std::string("fault-download-") + row.name);
    Args args{"--log-count", "200"};
    if (!row.hangUpAfterBytes)
        args.push_back("--no-pacing");
    args.insert(args.end(), row.simArgs.begin(), row.simArgs.end());
    start(args);
    link.program.requester().read(request::ReadInfo);
    ASSERT_TRUE(waitFor([this] { return state().infoSeen; }));
    std::size_t logBytes = 0;
    QObject::connect(&link.program, &Program::logBytesReceived,
                     [&](std::span<const std::uint8_t> bytes) { logBytes += bytes.size(); });
    bool reviewed = false;
    CDownLoad_Part2 page(link.program, folder.path, nullptr,
                         [&reviewed](const fs::path&, QWidget*) { reviewed = true; });
    page.show();
    page.readLogButton()->click();
    ASSERT_TRUE(page.download().running());
    if (row.hangUpAfterBytes) {
        ASSERT_TRUE(waitFor([&] { return logBytes >= row.hangUpAfterBytes; }));
        hangUp();
    } else {
        // A running read cannot be closed: neither Escape nor the close button.
        QTest::keyClick(&page, Qt::Key_Escape);
        EXPECT_FALSE(page.close());
    }

    ASSERT_TRUE(waitFor([&] { return !page.download().running(); }));
    ASSERT_TRUE(waitFor([&] { return link.prompter.saw(row.message); }, 3000))
        << link.prompter.messages.join(" | ").toStdString();
    EXPECT_EQ(portLostSaid(), row.hangUpAfterBytes > 0);
    const auto files = folder.files();
    EXPECT_FALSE(page.readLogButton()->isEnabled());
    if (row.fileWritten) {
        ASSERT_EQ(files.size(), 1u);
        EXPECT_EQ(files[0].filename().string(), page.download().exportFileName());
        EXPECT_EQ(page.deleteLogButton()->isEnabled(), row.logToDelete);
    } else {
        EXPECT_TRUE(files.empty()) << "no export file, not even a part";
        EXPECT_EQ(page.logView()->toPlainText(), QString());
        EXPECT_FALSE(page.deleteLogButton()->isEnabled());
        EXPECT_FALSE(page.reviewButton()->isEnabled());
        page.reviewButton()->click();
        EXPECT_FALSE(reviewed);
    }
    EXPECT_TRUE(page.close());
}

INSTANTIATE_TEST_SUITE_P(Row, SpoiledDownload, ::testing::ValuesIn(kDownloadFaults),
                         rowName<DownloadFault>);

TEST_F(FaultMatrix, HangUpDuringAFirmwareStreamStopsItAndSaysWhy) {
    ScratchFolder folder("fault-firmware");
    const fs::path image = folder.path / "new.bin";
    std::ofstream(image, std::ios::binary) << std::string(48 * 1024, '\x5A');
    start({}); // paced: the stream takes seconds
    link.prompter.openChoice = image.string();
    CFirmware_Update page(link.program, nullptr);
    page.show();
    page.okButton()->click();
    ASSERT_TRUE(waitFor([&] { return page.progressBar()->value() >= 10; }));
    hangUp();

    ASSERT_TRUE(waitFor([&] { return page.percentLabel()->text() == QStringLiteral("FAIL"); }));
    EXPECT_FALSE(page.update().streaming());
    EXPECT_TRUE(waitFor([this] { return portLostSaid(); }, 1000));
    EXPECT_TRUE(
        link.prompter.messages.filter(QStringLiteral("The firmware update stopped at")).size() == 1)
        << link.prompter.messages.join(" | ").toStdString();
    EXPECT_LT(page.progressBar()->value(), 100);
    EXPECT_TRUE(page.close());
}

// The settings page writes four records; the line drops after the first one's ACK.
TEST_F(FaultMatrix, HangUpDuringASettingsWriteIsNoSuccess) {
    start({"--no-pacing", "--hangup-after", "5"});
    runCommandReads(MenuCommand::Part2Settings, link.program.requester());
    CSetting_Part2 page(link.program, nullptr);
    page.show();
    type(page.edit(Part2Edit::StartPeriod), QStringLiteral("7"));
    page.okButton()->click();
    EXPECT_EQ(state().answersReceived[response::ACK], 1u);
    EXPECT_TRUE(waitFor([this] { return portLostSaid(); }, 1000));
    EXPECT_TRUE(
        link.prompter.saw("The line to the interlock was lost: the settings were not all written."))
        << link.prompter.messages.join(" | ").toStdString();
    EXPECT_TRUE(page.isVisible());
    EXPECT_FALSE(page.saveButton()->isEnabled()) << "nothing to save that the unit does not hold";
}

TEST_F(FaultMatrix, RefusedSettingsWriteKeepsThePageAndTheUnitsValues) {
    start({"--no-pacing", "--refuse", "0x55"});
    runCommandReads(MenuCommand::Part2Settings, link.program.requester());
    CSetting_Part2 page(link.program, nullptr);
    page.show();
    const int before = state().config.first_blocking_time();
    type(page.edit(Part2Edit::StartPeriod), QStringLiteral("7"));
    type(page.edit(Part2Edit::FirstBlockingTime), QStringLiteral("12"));
    page.okButton()->click();
    EXPECT_EQ(link.prompter.messages,
              QStringList{QStringLiteral("The interlock refused the settings write.")});
    EXPECT_TRUE(page.isVisible());
    EXPECT_FALSE(page.saveButton()->isEnabled());
    link.program.requester().read(request::ReadConfig);
    EXPECT_EQ(state().config.first_blocking_time(), before);

    // The interlock takes the same write next time.
    page.okButton()->click();
    EXPECT_EQ(link.prompter.messages.size(), 1);
    EXPECT_TRUE(page.saveButton()->isEnabled());
    link.program.requester().read(request::ReadConfig);
    EXPECT_EQ(state().config.first_blocking_time(), 12);
}

int main(int argc, char** argv) {
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
