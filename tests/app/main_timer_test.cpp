#include "app/main_timer.h"
#include "link/codes.h"
#include "link_fixture.h"

#include <gtest/gtest.h>

using namespace interlock;
using namespace interlock::testing;

namespace {

class FakeTimerHost : public TimerHost {
  public:
    void showMessage(const std::string& text) override { messages.push_back(text); }
    void openCalibrationResult() override { ++resultPages; }
    void refreshDownloadPage() override { ++downloadRefreshes; }
    void failLogDownload() override { ++downloadFailures; }

    std::vector<std::string> messages;
    int resultPages = 0;
    int downloadRefreshes = 0;
    int downloadFailures = 0;
};

class MainTimer : public ::testing::Test {
  protected:
    void tick(int count = 1) {
        for (int i = 0; i < count; ++i)
            runTimerTick(state, host);
    }

    ProgramState state;
    FakeTimerHost host;
    TraceCapture traces;
};

TEST_F(MainTimer, EventReadMessageShowsOnceOnTheFirstTick) {
    state.messageCountdown = 2;
    tick();
    EXPECT_EQ(host.messages, std::vector<std::string>{"Event Read Complete"});
    tick(5);
    EXPECT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(state.messageCountdown, 0);
}

TEST_F(MainTimer, CalibrationResultOpensOnceOnTheSeventeenthTickAndTheDutiesGoOn) {
    // Mode 1 calibrates and gets the result page; a check (3) gets none.
    for (const auto& [mode, pages] : {std::pair{1, 1}, {3, 0}}) {
        state = ProgramState{};
        host = FakeTimerHost{};
        state.calRequest.set_mode(static_cast<std::uint8_t>(mode));
        tick(3);
        EXPECT_EQ(state.calVerdictTicks, 0) << "no verdict, no counting";
        state.calVerdict = VERDICT_FAIL;
        tick(16);
        EXPECT_EQ(host.resultPages, 0);
        tick();
        EXPECT_EQ(host.resultPages, pages) << "mode " << mode;
        tick(100);
        EXPECT_EQ(host.resultPages, pages) << "mode " << mode;

        // A later download that stalls still fails through the watchdog.
        state.logDownload = 1;
        state.messageCountdown = 2;
        tick(12);
        EXPECT_EQ(host.downloadFailures, 1);
        EXPECT_EQ(host.messages, std::vector<std::string>{"Event Read Complete"});
    }
}

TEST_F(MainTimer, PartialFrameIsDroppedOnTheSixthIdleTickWithOrWithoutADownload) {
    for (const std::uint8_t download : {0, 1}) {
        traces.text.clear();
        state.logDownload = download;
        state.ring.append(Bytes{0x02, 0x62, 0x0A});
        state.Log_Write_Packet_Cnt = 1; // keep the watchdog quiet
        tick(5);
        EXPECT_EQ(state.ring.pending, 3) << int(download);
        EXPECT_FALSE(traces.has("Rx_TimeOut"));
        tick();
        EXPECT_EQ(traces.text, "Rx_TimeOut Occured!!\r\n");
        EXPECT_FALSE(state.ring.hasUnconsumed());
        EXPECT_EQ(state.ring.writeIndex, 0);
        EXPECT_EQ(state.rxIdleCount, 0);
    }
}

// A stray partial frame ahead of an answer, against the dispatcher that gathers it.
class TimerAndDispatcher : public LinkTest {
  protected:
    void tick(int count) {
        for (int i = 0; i < count; ++i)
            runTimerTick(state, timerHost);
    }
    FakeTimerHost timerHost;
};

TEST_F(TimerAndDispatcher, StrayPartialFrameDoesNotSwallowTheAnswersAfterIt) {
    Bytes identity = counting(IdentityRecord::size);
    identity[1] = 2; // PART 2
    feed(concat({{0x02, 0x60, 0xC8}, frameOf(response::TE_ID, identity)}));
    EXPECT_EQ(state.answersReceived[response::TE_ID], 0u) << "taken as the partial's body";
    tick(6);
    EXPECT_FALSE(state.ring.hasUnconsumed());

    feed(frameOf(response::TE_ID, identity)); // Connect pressed again
    EXPECT_EQ(state.answersReceived[response::TE_ID], 1u);
    EXPECT_EQ(state.dlg_enum, DLG_MAIN_PART2);
}

TEST_F(MainTimer, LogWatchdogFailsTheDownloadOnTheEleventhStalledTick) {
    state.logDownload = 1;
    for (std::uint32_t packets = 1; packets <= 5; ++packets) {
        state.Log_Write_Packet_Cnt = packets;
        tick();
    }
    tick(10);
    EXPECT_EQ(host.downloadFailures, 0);
    EXPECT_EQ(host.downloadRefreshes, 15);
    tick();
    EXPECT_EQ(host.downloadFailures, 1);
    EXPECT_EQ(traces.text, "timer function file close Log_Write_Packet_Cnt = 5\r\n");
    EXPECT_EQ(state.logDownload, 0);
    EXPECT_EQ(state.logStallCount, 0);

    tick(30); // the download is over: no second failure
    EXPECT_EQ(host.downloadFailures, 1);
    EXPECT_EQ(state.Log_Write_Packet_Cnt, 0u);
    EXPECT_EQ(state.lastLogPacketCount, 0u);
}

TEST_F(MainTimer, ProgressKeepsTheLogWatchdogQuiet) {
    state.logDownload = 1;
    for (std::uint32_t packets = 1; packets <= 40; ++packets) {
        state.Log_Write_Packet_Cnt = packets;
        tick();
        if (packets % 2 == 0)
            tick(9); // nine stalled ticks between packets are tolerated
    }
    EXPECT_EQ(host.downloadFailures, 0);
}

} // namespace
