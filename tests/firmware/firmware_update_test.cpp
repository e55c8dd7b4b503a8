#include "firmware_fixture.h"

#include "firmware/default_write.h"
#include "link/codes.h"
#include "recording_pauser.h"

#include <fstream>

using namespace interlock;
using namespace interlock::testing;

namespace {

bool contains(const std::string& text, std::string_view part) {
    return text.find(part) != std::string::npos;
}

// The page's timer ticking `count` times.
void tick(FirmwareUpdate& update, int count) {
    for (int i = 0; i < count; ++i)
        update.tick();
}

TEST_F(FirmwareTest, OkStartsTheLoaderAndListensForIt) {
    update.startLoader();
    EXPECT_EQ(channel.writes, std::vector<Bytes>{frameOf(request::FirmwareLoader)});
    EXPECT_TRUE(state.fwReceiveMode);
}

TEST_F(FirmwareTest, ChosenImageStreamsAndThePageWaitsForTheInfoRecord) {
    loaderReady();
    const Bytes image = counting(10);
    const auto path = chooseFile(image);
    EXPECT_EQ(runTransfer(), streamOf(image));
    EXPECT_EQ(state.fwTransferState, -1);
    EXPECT_FALSE(update.streaming());
    EXPECT_TRUE(state.versionCheckRequest);
    EXPECT_EQ(page.label, "WAIT");
    EXPECT_TRUE(page.timerRunning);
    EXPECT_TRUE(page.messages.empty());
    EXPECT_EQ(page.cancelOffers, 0);
    EXPECT_TRUE(traces.has("str name = " + path.string() +
                           "\r\nfile open success\r\nsize = "
                           "10\r\nsize = 2\r\nwrite start\r\n0\r\n50\r\n100\r\n"));
}

struct PercentCase {
    std::size_t imageBytes;
    std::vector<int> shown;
    friend std::ostream& operator<<(std::ostream& out, const PercentCase& c) {
        return out << c.imageBytes << "-byte image";
    }
};

class PercentagesShown : public FirmwareTest, public ::testing::WithParamInterface<PercentCase> {};

TEST_P(PercentagesShown, MultiplesOfFiveInSinglePrecisionEachOnce) {
    loaderReady();
    chooseFile(counting(GetParam().imageBytes));
    runTransfer(16);
    EXPECT_EQ(page.percents, GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Groups, PercentagesShown,
    ::testing::Values(PercentCase{12, {0, 100}},             // 3 groups: 33 and 66 skipped
                      PercentCase{20, {0, 20, 60, 80, 100}}, // 5 groups: 40 comes out 39
                      PercentCase{80, {0,  5,  10, 15, 20, 25, 30, 35, 45, 50,
                                       55, 60, 65, 70, 75, 80, 85, 90, 95, 100}})); // 20 groups

TEST_F(FirmwareTest, EveryTransferShowsItsOwnStartAgain) {
    for (int transfer = 0; transfer < 2; ++transfer) {
        loaderReady();
        chooseFile(counting(12));
        runTransfer();
        tick(update, 80); // no answer: "FAIL", back to the loader
    }
    EXPECT_EQ(page.percents, (std::vector<int>{0, 100, 0, 100}));
}

TEST_F(FirmwareTest, CancelledDialogSendsNothingAndWaitsForTheLoader) {
    loaderReady();
    page.choice.clear();
    EXPECT_TRUE(runTransfer().empty());
    EXPECT_EQ(state.fwTransferState, -1);
    EXPECT_TRUE(traces.has("file open cancel\r\n"));
    EXPECT_EQ(page.cancelOffers, 1);
    feed("x");
    EXPECT_EQ(page.scheduled, 1);
    feed("Ready\r\n");
    EXPECT_EQ(page.scheduled, 2);
}

class TooShortImage : public FirmwareTest, public ::testing::WithParamInterface<std::size_t> {};

TEST_P(TooShortImage, IsRefusedBeforeAnythingIsSent) {
    loaderReady();
    chooseFile(counting(GetParam()));
    EXPECT_TRUE(runTransfer().empty());
    ASSERT_EQ(page.messages.size(), 1u);
    EXPECT_TRUE(contains(page.messages[0], "too short")) << page.messages[0];
    EXPECT_TRUE(contains(page.messages[0], "image.bin"));
    EXPECT_TRUE(page.percents.empty());
    EXPECT_EQ(state.fwTransferState, -1);
    EXPECT_TRUE(state.fwReceiveMode);
    EXPECT_EQ(page.cancelOffers, 1);
    // The loader's next "Ready\r\n" offers the dialog again.
    feed("Ready\r\n");
    EXPECT_EQ(page.scheduled, 2);
}

INSTANTIATE_TEST_SUITE_P(Sizes, TooShortImage, ::testing::Values(0u, 1u, 3u));

TEST_F(FirmwareTest, ImageBeyondTheSizeFieldIsRefusedBeforeAnythingIsSent) {
    page.choice = "huge.bin";
    loader = [](const std::string&) {
        return WholeFile{{}, 0x100000000, make_error_code(std::errc::file_too_large)};
    };
    loaderReady();
    EXPECT_TRUE(runTransfer().empty());
    ASSERT_EQ(page.messages.size(), 1u);
    EXPECT_EQ(page.messages[0], "The firmware file is too large: it holds 4294967296 bytes, an "
                                "image at most 4294967295. Nothing was sent to the interlock. | "
                                "huge.bin");
    EXPECT_EQ(state.fwTransferState, -1);
    EXPECT_EQ(page.cancelOffers, 1);
}

TEST_F(FirmwareTest, ImageRewrittenWhileItStreamsGoesOutAsItWasChosen) {
    loaderReady();
    const Bytes image = counting(64 * 1024);
    const auto path = chooseFile(image);
    ASSERT_TRUE(update.beginTransfer());
    Bytes sent(FirmwareUpdate::kBlockBytes);
    sent.resize(update.nextBlock(sent));
    // Rewritten in place, as a copy over it or a build writing its output does.
    std::ofstream(path, std::ios::binary | std::ios::trunc) << std::string(80 * 1024, 'N');
    Bytes block(FirmwareUpdate::kBlockBytes);
    while (const std::size_t count = update.nextBlock(block))
        sent.insert(sent.end(), block.begin(), block.begin() + static_cast<std::ptrdiff_t>(count));
    EXPECT_EQ(sent, streamOf(image));
    EXPECT_TRUE(page.messages.empty());
}

// A transfer interrupted midway ends in "FAIL" and a loader ready for another try.
void expectStoppedAndReadyForAnother(const ProgramState& state, const RecordingUpdatePage& page,
                                     FirmwareUpdate& update) {
    EXPECT_FALSE(update.streaming());
    EXPECT_EQ(page.label, "FAIL");
    EXPECT_FALSE(page.timerRunning);
    EXPECT_EQ(state.fwTransferState, -1);
    EXPECT_TRUE(state.fwReceiveMode);
    EXPECT_FALSE(state.versionCheckRequest);
    EXPECT_EQ(page.cancelOffers, 1);
    Bytes block(FirmwareUpdate::kBlockBytes);
    EXPECT_EQ(update.nextBlock(block), 0u);
}

TEST_F(FirmwareTest, WriteErrorMidwayStopsTheStreamAndSaysWhy) {
    loaderReady();
    chooseFile(counting(64 * 1024));
    ASSERT_TRUE(update.beginTransfer());
    Bytes block(FirmwareUpdate::kBlockBytes);
    for (int i = 0; i < 3; ++i)
        ASSERT_EQ(update.nextBlock(block), FirmwareUpdate::kBlockBytes);
    update.writeFailed("ERROR 2");
    ASSERT_EQ(page.messages.size(), 1u);
    EXPECT_EQ(page.messages[0], "The firmware update stopped at 9%: the interlock could not be "
                                "written to. | ERROR 2");
    expectStoppedAndReadyForAnother(state, page, update);
    feed("Ready\r\n");
    EXPECT_EQ(page.scheduled, 2);
}

TEST_F(FirmwareTest, LineLostMidwayOrBeforeTheLoaderAnswersLetsThePageBeLeft) {
    update.startLoader();
    update.linkLost("the device was removed");
    EXPECT_TRUE(page.messages.empty()); // nothing was under way
    EXPECT_EQ(page.cancelOffers, 1);

    loaderReady();
    chooseFile(counting(64 * 1024));
    ASSERT_TRUE(update.beginTransfer());
    Bytes block(FirmwareUpdate::kBlockBytes);
    ASSERT_EQ(update.nextBlock(block), FirmwareUpdate::kBlockBytes);
    page.cancelOffers = 0;
    update.linkLost("the device was removed");
    ASSERT_EQ(page.messages.size(), 1u);
    EXPECT_EQ(page.messages[0], "The firmware update stopped at 3%: the interlock could not be "
                                "written to. | the device was removed");
    expectStoppedAndReadyForAnother(state, page, update);
}

TEST_F(FirmwareTest, InfoIsAskedForFromThe16thTickToThe75thThenFail) {
    loaderReady();
    chooseFile(counting(10));
    runTransfer();
    channel.writes.clear();
    tick(update, 15);
    EXPECT_TRUE(channel.writes.empty());
    EXPECT_TRUE(state.fwReceiveMode);
    tick(update, 1);
    EXPECT_EQ(channel.writes, std::vector<Bytes>{frameOf(request::ReadInfo)});
    EXPECT_FALSE(state.fwReceiveMode);
    tick(update, 59);
    EXPECT_EQ(channel.writes.size(), 60u);
    EXPECT_EQ(page.label, "WAIT");
    tick(update, 1);
    EXPECT_EQ(channel.writes.size(), 60u);
    EXPECT_EQ(page.label, "FAIL");
    EXPECT_FALSE(page.timerRunning);
    EXPECT_TRUE(state.fwReceiveMode);
    EXPECT_EQ(page.cancelOffers, 1);
    EXPECT_EQ(traces.count("firmware update timer\r\n"), 76);
    // The loader starting again is served.
    feed("Ready\r\n");
    EXPECT_EQ(page.scheduled, 2);
}

TEST_F(FirmwareTest, InfoAnswerClosesThePageAndTheMenu) {
    loaderReady();
    chooseFile(counting(10));
    runTransfer();
    tick(update, 16);
    InfoRecord info;
    info.set_version(4, 5);
    feed(frameOf(response::TE_INFO, Bytes(info.bytes.begin(), info.bytes.end())));
    EXPECT_TRUE(state.closeMenuRequest);
    EXPECT_FALSE(state.versionCheckRequest);
    EXPECT_FALSE(page.timerRunning);
    EXPECT_EQ(state.info.version(), 0x0405u);
}

TEST_F(FirmwareTest, LoaderStartingAgainWhileWaitingGetsAStreamWithoutPollsInIt) {
    loaderReady();
    chooseFile(counting(10));
    runTransfer();
    tick(update, 5);
    feed("Ready\r\n");
    ASSERT_TRUE(update.beginTransfer());
    EXPECT_FALSE(page.timerRunning);
    Bytes block(FirmwareUpdate::kBlockBytes);
    while (update.nextBlock(block) > 0) {
    }
    channel.writes.clear();
    tick(update, 15); // counting starts over at the new 100 %
    EXPECT_TRUE(channel.writes.empty());
}

TEST(DefaultWrite, SetsClockAndServiceTimeThenStartsFromDefaults) {
    ProgramState state;
    RecordingChannel channel;
    state.link.setChannel(&channel);
    RecordingPauser pauser;
    Requester requester(state, pauser);
    TraceCapture traces;
    defaultWrite(requester, CivilTime{2026, 3, 4, 5, 6, 7});
    EXPECT_EQ(channel.writes, (std::vector<Bytes>{frameOf(request::WriteClock, {26, 3, 4, 5, 6, 7}),
                                                  frameOf(request::FirmwareStart)}));
    EXPECT_EQ(pauser.waits, (std::vector<RecordingPauser::Wait>{{1000, 0}}));
    EXPECT_EQ(Bytes(state.service.bytes.begin(), state.service.bytes.begin() + 5),
              (Bytes{26, 3, 4, 5, 6}));
    EXPECT_TRUE(traces.has("Current Time 2026-3-4 5:6:7\r\n"));
}

} // namespace
