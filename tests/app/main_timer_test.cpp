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
    void failLogDownload() override { ++downloadFailures; }

    std::vector<std::string> messages;
    int resultPages = 0;
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

TEST_F(MainTimer, CalibrationResultOpensOnceOnTheSeventeenthTickAndTheDutiesGoOn) {
    // Mode 1 calibrates and gets the result page; a check (3) gets none.
    for (const auto& [mode, pages] : {std::pair{1, 1}, {3, 0}}) {
        state = ProgramState{};
        host = FakeTimerHost{};
        state.calRequest.set_mode(static_cast<std::uint8_t>(mode));
        tick(3);
        EXPECT_EQ(state.calVerdictTicks, 0) << "no verdict, no counting";
        state.calVerdict = CalVerdict::Fail;
        tick(16);
        EXPECT_EQ(host.resultPages, 0);
        tick();
        EXPECT_EQ(host.resultPages, pages) << "mode " << mode;
        tick(100);
        EXPECT_EQ(host.resultPages, pages) << "mode " << mode;

        // A later download that stalls still fails through the watchdog.
        state.logDownload = true;
        state.messageCountdown = 2;
        tick(12);
        EXPECT_EQ(host.downloadFailures, 1);
        EXPECT_EQ(host.messages, std::vector<std::string>{"Event Read Complete"});
    }
}

TEST_F(MainTimer, PartialFrameIsDroppedOnTheSixthIdleTickWithOrWithoutADownload) {
    for (const std::uint8_t download : {0, 1}) {
        traces.text.clear();
        state.logDownload = download != 0;
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
    EXPECT_EQ(state.dlg_enum, PageRequest::MainPart2);
}

} // namespace
