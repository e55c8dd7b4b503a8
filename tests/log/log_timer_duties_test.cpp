#include "link_fixture.h"
#include "log/log_timer_duties.h"

#include <gtest/gtest.h>

using namespace interlock;
using namespace interlock::testing;

namespace {

class RecordingLogTimerHost : public LogTimerHost {
  public:
    void showMessage(const std::string& text) override { messages.push_back(text); }
    void refreshDownloadPage() override { ++downloadRefreshes; }
    void failLogDownload() override { ++downloadFailures; }

    std::vector<std::string> messages;
    int downloadRefreshes = 0;
    int downloadFailures = 0;
};

// The log's share of each main timer tick, in the timer's order.
class LogTimerDuties : public ::testing::Test {
  protected:
    void tick(int count = 1) {
        for (int i = 0; i < count; ++i) {
            logMessageCountdown(state, host);
            logDownloadWatchdog(state, host);
        }
    }

    ProgramState state;
    RecordingLogTimerHost host;
    TraceCapture traces;
};

TEST_F(LogTimerDuties, EventReadMessageShowsOnceOnTheFirstTick) {
    state.messageCountdown = 2;
    tick();
    EXPECT_EQ(host.messages, std::vector<std::string>{"Event Read Complete"});
    tick(5);
    EXPECT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(state.messageCountdown, 0);
}

TEST_F(LogTimerDuties, LogWatchdogFailsTheDownloadOnTheEleventhStalledTick) {
    state.logDownload = true;
    for (std::uint32_t packets = 1; packets <= 40; ++packets) {
        if (packets % 2 == 0)
            tick(9); // nine stalled ticks between packets are tolerated
        state.Log_Write_Packet_Cnt = packets;
        tick();
    }
    tick(10);
    EXPECT_EQ(host.downloadFailures, 0);
    EXPECT_EQ(host.downloadRefreshes, 40 + 20 * 9 + 10);
    tick();
    EXPECT_EQ(host.downloadFailures, 1);
    EXPECT_EQ(traces.text, "timer function file close Log_Write_Packet_Cnt = 40\r\n");
    EXPECT_FALSE(state.logDownload);
    EXPECT_EQ(state.logStallCount, 0);

    tick(30); // the download is over: no second failure
    EXPECT_EQ(host.downloadFailures, 1);
    EXPECT_EQ(state.Log_Write_Packet_Cnt, 0u);
    EXPECT_EQ(state.lastLogPacketCount, 0u);
}

} // namespace
