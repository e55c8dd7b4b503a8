#include "firmware_fixture.h"

using namespace interlock;
using namespace interlock::testing;

namespace {

class LoaderListenerTest : public FirmwareTest,
                           public ::testing::WithParamInterface<std::vector<std::string>> {};

TEST_P(LoaderListenerTest, ReadyIsRecognisedHoweverItArrives) {
    update.startLoader();
    for (const std::string& chunk : GetParam())
        feed(chunk);
    EXPECT_EQ(state.fwTransferState, 0);
    EXPECT_EQ(page.scheduled, 1);
    EXPECT_EQ(traces.count("Compare OK\r\n"), 1);
    EXPECT_TRUE(traces.has("Ready\r\nCompare OK\r\n")); // each byte traced as it comes
    EXPECT_EQ(state.ring.pending, 0);
}

std::vector<std::string> byteByByte(std::string_view text) {
    std::vector<std::string> bytes;
    for (const char c : text)
        bytes.emplace_back(1, c);
    return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Chunks, LoaderListenerTest,
    ::testing::Values(std::vector<std::string>{"Ready\r\n"},
                      std::vector<std::string>{"Rea", "dy\r\n"},
                      std::vector<std::string>{"Ready\r", "\n"}, byteByByte("Ready\r\n"),
                      std::vector<std::string>{std::string("\x02\xFF\0ok", 5), "RReady\r\n"},
                      std::vector<std::string>{"Ready\r\nboot 1.2\r\n"}));

TEST_F(FirmwareTest, NearMissesAreNotTheLoader) {
    update.startLoader();
    for (const char* text : {"Ready\n", "ready\r\n", "Ready \r\n", "Ready\r\r\n", "READY\r\n"})
        feed(text);
    feed(Bytes{'R', 'e', 'a', 0, 'd', 'y', '\r', '\n'});
    EXPECT_EQ(state.fwTransferState, -1);
    EXPECT_EQ(page.scheduled, 0);
}

TEST_F(FirmwareTest, ReadyWhileTheMenuIsClosingStartsNoTransferUntilItHasClosed) {
    update.startLoader();
    state.closeMenuRequest = true;
    feed("Ready\r\n");
    EXPECT_EQ(state.fwTransferState, 0);
    EXPECT_EQ(page.scheduled, 0);
    feed("x");
    EXPECT_EQ(page.scheduled, 0);
    // Cleared once the connect page is active again: the loader's next byte starts it.
    state.closeMenuRequest = false;
    feed("x");
    EXPECT_EQ(page.scheduled, 1);
}

TEST_F(FirmwareTest, OneTransferIsScheduledWhateverFollowsBeforeItRuns) {
    update.startLoader();
    feed("Ready\r\n");
    feed("Ready\r\nmore");
    EXPECT_EQ(page.scheduled, 1);
    // A menu that began closing meanwhile gets no file dialog.
    state.closeMenuRequest = true;
    EXPECT_FALSE(update.beginTransfer());
    EXPECT_EQ(page.dialogs, 0);
}

} // namespace
