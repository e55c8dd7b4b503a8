#include "app/main_timer.h"
#include "link/codes.h"
#include "link_fixture.h"

#include <gtest/gtest.h>

using namespace interlock;
using namespace interlock::testing;

namespace {

class MainTimer : public ::testing::Test {
  protected:
    void tick(int count = 1) {
        for (int i = 0; i < count; ++i)
            runTimerTick(state, duties);
    }

    ProgramState state;
    std::vector<TimerDuty> duties;
    TraceCapture traces;
};

TEST_F(MainTimer, EveryTickRunsTheRegisteredDutiesInOrderAfterTheReceiveTimeout) {
    std::string ran;
    duties = {[&ran](ProgramState& s) { ran += s.ring.hasUnconsumed() ? "a!" : "a"; },
              [&ran](ProgramState&) { ran += "b"; }};
    state.ring.append(Bytes{0x02, 0x62});
    tick(6);
    EXPECT_EQ(ran, "a!ba!ba!ba!ba!bab") << "the partial frame is gone on the sixth tick";
}

TEST_F(MainTimer, PartialFrameIsDroppedOnTheSixthIdleTickWithOrWithoutADownload) {
    for (const std::uint8_t download : {0, 1}) {
        traces.text.clear();
        state.logDownload = download != 0;
        state.ring.append(Bytes{0x02, 0x62, 0x0A});
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
            runTimerTick(state, {});
    }
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
