#include "child_process.h"
#include "download_view.h"
#include "link/codes.h"
#include "link_fixture.h"
#include "log/delete_log.h"
#include "log/log_download.h"
#include "log_records.h"
#include "recording_channel.h"
#include "recording_pauser.h"
#include "scratch_folder.h"
#include "time_zone.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

using namespace interlock;
using namespace interlock::testing;
namespace fs = std::filesystem;

namespace {
std::string crlf(std::string_view text) {
    std::string out;
    for (const char c : text)
        out += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return out;
}

std::vector<std::uint8_t> headerSection() {
    const std::string serials = "HS000001CB000002";
    std::vector<std::uint8_t> out;
    out.reserve(4 + 23);
    append(out, le32(23));
    append(out, {serials.begin(), serials.end()});
    append(out, {16, 12, 31, 23, 30, 0x6D, 0x01}); // serviced 2016-12-31 23:30 UTC, 365 days
    return out;
}

const std::string kOpening = "\nAB12\n\nPC Ver\t: 4.4\nFW Ver\t: 4.5\n\n"
                             "StartWithoutApproved : 4\nNoPower : 5\nStarter_Test_Fail : 3\n"
                             "Retest_Refuse : 1\nRetest_Fail : 2\n";
const std::string kHeaderRows = "\nHANDSET S/N  : HS000001\nCONTROLBOX S/N : CB000002\n"
                                "Service Date\t  : 17. 1. 1  8 : 30 \nService Period : 365 \n\n";

class LogDownloadTest : public ::testing::Test {
  protected:
    void SetUp() override {
        state.link.setChannel(&channel);
        state.info.set_version(4, 5);
        state.Log_FW_Check = 0x0405;
        for (std::size_t i = 18; i <= 22; ++i)
            state.diagnosis.bytes[i] = static_cast<std::uint8_t>(i - 17); // counters 1 to 5
        state.config.set_log_type(1);
        state.option.set_test_unit(TestUnit::PercentBac);
    }

    // The dispatcher hands over whatever the port delivered, in chunks.
    void receive(const std::vector<std::uint8_t>& bytes, std::size_t chunk = 7) {
        for (std::size_t at = 0; at < bytes.size() && state.logDownload; at += chunk)
            download.onBytes(std::span(bytes).subspan(at, std::min(chunk, bytes.size() - at)));
    }
    std::string exported() const { return fileContents(folder / download.exportFileName()); }
    std::size_t filesLeft() const { return scratch.files().size(); }

    ScopedTimeZone zone{"JST-9"};
    ScratchFolder scratch{"log-download"};
    const fs::path& folder = scratch.path;
    RecordingChannel channel;
    RecordingPauser pauser;
    ProgramState state;
    Requester requester{state, pauser};
    DownloadView page;
    LogDownload download{requester, page, folder, [] { return utcTime(2017, 1, 5, 0, 7, 3); }};
};
} // namespace

TEST_F(LogDownloadTest, CompleteReadWritesTheExactExportFile) {
    EXPECT_EQ(download.result(), LogReadResult::None);
    ASSERT_TRUE(download.startRead("AB12"));
    EXPECT_EQ(download.result(), LogReadResult::Running);
    EXPECT_EQ(download.exportFileName(), "170105-090703-AB12.csv");
    EXPECT_TRUE(state.logDownload);
    EXPECT_FALSE(page.readLogEnabled);
    EXPECT_FALSE(page.deleteLogEnabled);

    receive(headerSection());
    EXPECT_EQ(page.view, crlf(kOpening + kHeaderRows));
    EXPECT_EQ(exported(), "") << "rows wait for the first event line";

    std::vector<std::uint8_t> empty(9, 0xFF);
    empty.push_back(static_cast<std::uint8_t>(9 * 0xFF));
    receive(eventSection({record10(16, 12, 31, 23, 30, 0, 0x10, 123),
                          record10(17, 1, 1, 0, 0, 0, 0x15, 0), empty,
                          record10(17, 1, 2, 1, 2, 3, 0x31, 0x0100)},
                         true));

    const std::string lines = "1 :\t 17 / 1 / 1\t  8 :  30 :  0  \tBreathing test Passed\t"
                              "0.012 %BAC \n"
                              "2 :\t 17 / 1 / 2\t  10 :  2 :  3  \tStart of vehicle allowed\n";
    EXPECT_FALSE(state.logDownload);
    EXPECT_EQ(download.result(), LogReadResult::Complete);
    EXPECT_EQ(exported(), crlf(kOpening + kHeaderRows + lines));
    EXPECT_EQ(page.view, crlf(kOpening + kHeaderRows + lines));
    EXPECT_EQ(filesLeft(), 1u);
    EXPECT_TRUE(page.deleteLogEnabled);
    EXPECT_FALSE(page.readLogEnabled);
    EXPECT_EQ(state.messageCountdown, 2);
    EXPECT_TRUE(page.messages.empty());
    EXPECT_EQ(channel.writes,
              (std::vector<std::vector<std::uint8_t>>{frameOf(0x42), frameOf(0x44, {1, 0, 0, 0, 0}),
                                                      frameOf(0x44, {2, 0, 0, 0, 0})}));
    EXPECT_EQ(pauser.waits, (std::vector<RecordingPauser::Wait>{
                                {LogDownload::kOptionWaitMs, response::TE_OPTION}}));
    const LogProgress progress = download.progress();
    EXPECT_EQ(progress.bodyBytes, 40u);
    EXPECT_EQ(progress.bodySize, 40u);
    EXPECT_EQ(progress.records, 4u);
    EXPECT_EQ(progress.lines, 2u);
}

TEST_F(LogDownloadTest, EachStampTakesTheDaylightSavingOfItsOwnInstant) {
    // New York rules: the PC clock stands in January (standard time), the event in July.
    ScopedTimeZone newYork{"EST5EDT,M3.2.0,M11.1.0"};
    ASSERT_TRUE(download.startRead("DST"));
    EXPECT_EQ(download.exportFileName(), "170104-190703-DST.csv");
    receive(le32(0xFFFFFFFF));
    receive(eventSection({record10(17, 7, 1, 12, 0, 0, 0x31, 0x0100)}, true));
    EXPECT_EQ(exported(), crlf(kOpening.substr(0, 1) + "DST" + kOpening.substr(5) +
                               "1 :\t 17 / 7 / 1\t  8 :  0 :  0  \tStart of vehicle allowed\n"));
}

TEST_F(LogDownloadTest, ErasedHeaderGivesOpeningBlockAndEventLinesOnly) {
    state.Log_FW_Check = 0x0402;
    state.config.set_log_type(0);
    ASSERT_TRUE(download.startRead("AB12"));
    receive(le32(0xFFFFFFFF));
    receive(eventSection({record8(9, 5, 6, 7, 8, 0x2A, 0x0100)}, false), 1);
    EXPECT_EQ(exported(), crlf(kOpening + "1 :\t 9 / 5 / 6\t  7 :  8  \tEmegency Key On\n"));
    EXPECT_TRUE(page.deleteLogEnabled);
    EXPECT_EQ(state.messageCountdown, 2);
}

TEST_F(LogDownloadTest, EmptyEventLogLeavesAnEmptyFileAndDeleteDisabled) {
    for (const std::uint32_t length : {0u, 0xFFFFFFFFu}) {
        page = DownloadView{};
        ASSERT_TRUE(download.startRead("AB12"));
        receive(headerSection());
        auto stream = le32(length);
        append(stream, frameOf(0x60)); // what follows is not log data
        receive(stream, stream.size());
        EXPECT_FALSE(state.logDownload);
        EXPECT_EQ(exported(), "");
        EXPECT_EQ(filesLeft(), 1u);
        EXPECT_EQ(page.messages, std::vector<std::string>{"Event Log Read Complete"});
        EXPECT_EQ(download.result(), LogReadResult::Complete);
        EXPECT_FALSE(page.deleteLogEnabled);
        EXPECT_EQ(state.messageCountdown, 0);
    }
}

TEST_F(LogDownloadTest, TextlessLogTypeReadsAndChecksButPrintsNothing) {
    state.config.set_log_type(2);
    ASSERT_TRUE(download.startRead("AB12"));
    receive(headerSection());
    receive(eventSection({record10(17, 1, 2, 1, 2, 3, 0x10, 500)}, true));
    EXPECT_FALSE(state.logDownload);
    EXPECT_EQ(exported(), "");
    EXPECT_EQ(download.progress().records, 1u);
    EXPECT_TRUE(page.deleteLogEnabled);
}

TEST_F(LogDownloadTest, FileErrorsFailTheReadWithTheirReasonAndLeaveNoFile) {
    struct Harm {
        const char* reason;
        std::function<void(const fs::path&)> apply; // after the header, in the child
    };
    const Harm harms[] = {
        {"File too large", // a disk that fills up: no file may grow past 100 bytes
         [](const fs::path&) {
             std::signal(SIGXFSZ, SIG_IGN);
             rlimit limit{};
             getrlimit(RLIMIT_FSIZE, &limit);
             limit.rlim_cur = 100;
             setrlimit(RLIMIT_FSIZE, &limit);
         }},
        {"Permission denied", // the folder turns read-only during the read
         [](const fs::path& where) {
             fs::permissions(where, fs::perms::owner_read | fs::perms::owner_exec);
         }},
    };
    for (const Harm& harm : harms) {
        const std::string outcome = interlock::testing::runInChild([&]() -> std::string {
            if (!interlock::testing::obeyFilePermissions() || !download.startRead("AB12"))
                return "not started";
            receive(headerSection());
            harm.apply(folder);
            receive(eventSection({record10(17, 1, 2, 1, 2, 3, 0x10, 500)}, true));
            std::string seen = page.view + "|";
            for (const std::string& message : page.messages)
                seen += message + "|";
            if (download.result() != LogReadResult::NotWritten)
                seen += "wrong result|";
            return seen + (state.logDownload ? "running" : "ended");
        });
        fs::permissions(folder, fs::perms::all);
        EXPECT_EQ(outcome, "|The export file could not be written: " + std::string(harm.reason) +
                               "\nFolder: " + folder.string() + "|ended");
        EXPECT_EQ(filesLeft(), 0u) << harm.reason;
    }
}

TEST_F(LogDownloadTest, StalledReadFailsWithTheConnectionsMessageAndLeavesNoFile) {
    ASSERT_TRUE(download.startRead("AB12"));
    receive(headerSection());
    auto events = eventSection({record10(17, 1, 2, 1, 2, 3, 0x10, 500)}, true);
    events.resize(events.size() - 4); // the total never comes
    receive(events);
    ASSERT_TRUE(download.running());
    state.logDownload = false; // the watchdog gave up first, as it does
    download.fail();
    EXPECT_EQ(download.result(), LogReadResult::Failed);
    EXPECT_EQ(page.messages,
              std::vector<std::string>{
                  "Failure to download log data. Please check the connections and try again."});
    EXPECT_EQ(page.view, "");
    EXPECT_EQ(filesLeft(), 0u);
}

TEST_F(LogDownloadTest, FileCreateFailStartsNoRead) {
    // No file name may be that long.
    EXPECT_FALSE(download.startRead(std::string(300, 'A')));
    EXPECT_EQ(page.messages, std::vector<std::string>{"file Create Fail"});
    EXPECT_EQ(download.result(), LogReadResult::NotWritten);
    EXPECT_FALSE(state.logDownload);
    EXPECT_EQ(channel.writes, std::vector<std::vector<std::uint8_t>>{frameOf(0x42)});
    EXPECT_TRUE(page.readLogEnabled);
    EXPECT_EQ(filesLeft(), 0u);
}

TEST(DeleteLog, MarksTheLogOnlyWhenTheRequestWentOutAndWasNotRefused) {
    // What happens on the line during the three seconds the interlock is given.
    enum class During { Ack, Nack, Silence, LineLost, NoLine };
    struct Case {
        During during;
        std::string message;
    };
    const std::string lost = "The line to the interlock was lost: the log was not deleted.";
    const Case cases[] = {{During::Ack, ""},
                          {During::Silence, ""},
                          {During::Nack, "The interlock refused to delete the log."},
                          {During::LineLost, lost},
                          {During::NoLine, lost}};
    for (const Case& c : cases) {
        struct LinePauser : RecordingPauser {
            During during{};
            ProgramState* state = nullptr;
            ResponseDispatcher* dispatcher = nullptr;
            void pause(int ms) override {
                RecordingPauser::pause(ms);
                if (during == During::Ack || during == During::Nack)
                    dispatcher->onBytes(
                        frameOf(during == During::Ack ? response::ACK : response::NACK));
                if (during == During::LineLost) {
                    ++state->linesLost;
                    state->link.setChannel(nullptr);
                }
            }
        };
        RecordingChannel channel;
        LinePauser pauser;
        ProgramState state;
        FakeDispatcherHost host;
        ResponseDispatcher dispatcher(state, host);
        pauser.during = c.during;
        pauser.state = &state;
        pauser.dispatcher = &dispatcher;
        if (c.during != During::NoLine)
            state.link.setChannel(&channel);
        Requester requester{state, pauser};
        EXPECT_EQ(deleteLog(requester), c.message) << static_cast<int>(c.during);
        EXPECT_EQ(state.logDeleted, c.message.empty()) << static_cast<int>(c.during);
        EXPECT_EQ(pauser.waits, (std::vector<RecordingPauser::Wait>{{3000, 0}}));
        if (c.during != During::NoLine) {
            EXPECT_EQ(channel.writes, std::vector<std::vector<std::uint8_t>>{frameOf(0x50)});
        }
    }
}
