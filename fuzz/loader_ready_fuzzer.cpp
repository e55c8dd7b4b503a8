// The firmware loader's "Ready\r\n" window on any received stream, fed through the
// dispatcher as while a firmware update waits for the loader. Byte 0 says whether a
// menu is closing, which image the file dialog gives (none, too short, small, several
// blocks) and how the stream is cut into reads; the rest is the stream. A transfer
// is scheduled when, and only when, the stream holds "Ready\r\n" and no menu is
// closing; each one scheduled runs to its end before the next read.
#include "firmware/firmware_update.h"
#include "fuzz_support.h"
#include "link/response_dispatcher.h"
#include "link/trace.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <vector>

using namespace interlock;
using fuzz::mustHold;

namespace {

class QuietPage : public FirmwareUpdateHost {
  public:
    explicit QuietPage(bool cancels) : cancels_(cancels) {}
    void scheduleTransfer() override {
        ++scheduled;
        pending = true;
    }
    std::string chooseImage() override { return cancels_ ? "" : "image.bin"; }
    void showMessage(const std::string&, const std::string&) override {}
    void showPercent(int, const std::string&) override {}
    void showStatus(const std::string&) override {}
    void startTimer() override {}
    void stopTimer() override {}
    void offerCancel() override {}

    int scheduled = 0;
    bool pending = false;

  private:
    bool cancels_;
};

class LoaderHost : public fuzz::QueueHost {
  public:
    explicit LoaderHost(FirmwareUpdate& update) : update_(update) {}
    void firmwareBytes(ReceiveRing& ring) override { update_.onLoaderBytes(ring); }

  private:
    FirmwareUpdate& update_;
};

// The scheduled transfer as the page runs it: the dialog, then every block.
void runTransfer(FirmwareUpdate& update, QuietPage& page) {
    page.pending = false;
    if (!update.beginTransfer())
        return;
    std::array<std::uint8_t, FirmwareUpdate::kBlockBytes> block{};
    while (update.nextBlock(block) != 0) {
    }
    mustHold(!update.streaming());
}

bool holdsReady(std::span<const std::uint8_t> stream) {
    constexpr std::string_view kReady = "Ready\r\n";
    return std::search(stream.begin(), stream.end(), kReady.begin(), kReady.end()) != stream.end();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    // Each received byte is traced as it comes; the trace lines are made and dropped.
    static const bool traced = (setTraceSink([](std::string_view) {}), true);
    (void)traced;

    const std::uint8_t control = data[0];
    static constexpr std::size_t kImageSizes[] = {0, 3, 4, 9, 3 * FirmwareUpdate::kBlockBytes};
    const std::size_t imageSize = kImageSizes[(control >> 2) % std::size(kImageSizes)];
    const bool closing = (control & 1) != 0;

    ProgramState state;
    fuzz::DiscardingChannel channel;
    state.link.setChannel(&channel);
    QuietPage page((control & 2) != 0);
    FirmwareUpdate update(state, page, [imageSize](const std::string&) {
        return WholeFile{std::vector<std::uint8_t>(imageSize, 0x5A), imageSize, {}};
    });
    LoaderHost host(update);
    ResponseDispatcher dispatcher(state, host);

    update.startLoader();
    state.closeMenuRequest = closing;
    const std::span<const std::uint8_t> stream(data + 1, size - 1);
    fuzz::inReads(stream, control >> 5, [&](std::span<const std::uint8_t> read) {
        dispatcher.onBytes(read);
        host.runAll();
        if (page.pending)
            runTransfer(update, page);
    });
    mustHold(state.ring.pending == 0);
    mustHold((page.scheduled > 0) == (!closing && holdsReady(stream)));
    return 0;
}
