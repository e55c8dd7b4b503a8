#pragma once

#include "firmware/firmware_update_host.h"
#include "firmware/image_stream.h"
#include "firmware/loader_listener.h"
#include "firmware/transfer_progress.h"
#include "link/program_state.h"
#include "link/regular_file.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>

namespace interlock {

// One FIRMWARE UPDATE page's dialogue with the interlock: the loader start, the
// "Ready\r\n" it answers, the image file and its stream, the percentage, and the
// polling for the info record that tells the new firmware runs.
//
// The stream never runs inside the receive handling: the listener asks the page to
// schedule beginTransfer, and the page then writes nextBlock's bytes to its channel
// as the channel drains, until nextBlock returns 0.
class FirmwareUpdate {
  public:
    // Reads the chosen image whole (readImage unless a test gives another).
    using ImageLoader = std::function<WholeFile(const std::string& path)>;
    // Bytes a page asks for at a time: a fifth of a second at 115200 baud.
    static constexpr std::size_t kBlockBytes = 2048;
    // The largest image the 32-bit size field can announce.
    static constexpr std::uint64_t kMaxImageSize = 0xFFFFFFFF;

    FirmwareUpdate(ProgramState& state, FirmwareUpdateHost& host, ImageLoader loader = readImage);

    // The image file at `path`, read whole up to the largest image.
    static WholeFile readImage(const std::string& path);

    // OK: asks the interlock to start its loader and listens for it.
    void startLoader();
    // Bytes received while the firmware receive mode flag is set.
    void onLoaderBytes(ReceiveRing& ring);
    // The scheduled transfer: the file dialog, the file, its checks. True when a
    // stream is ready for nextBlock. A refusal says why before anything is sent.
    // The image is read whole first, so what streams is one version of the file
    // however it changes on disk meanwhile.
    bool beginTransfer();
    // Fills `out` (at least kBlockBytes long is best) with the next bytes to write;
    // 0 when there are none. The stream's last block ends the transfer.
    std::size_t nextBlock(std::span<std::uint8_t> out);
    // The channel could not write: a stream under way stops and says why.
    void writeFailed(const std::string& reason);
    // The line is gone: as writeFailed, and the page may be left, as no loader can
    // answer any more.
    void linkLost(const std::string& reason);
    // The page's 200 ms timer after 100 %: asks for the info record from the 16th
    // tick to the 75th, then gives up with "FAIL".
    void tick();
    // The info record asked for has arrived: the menu is to close after the page.
    void end();

    bool streaming() const { return stream_.has_value(); }

  private:
    void progress(int percent);
    // Back to waiting for the loader, nothing sent: the file is refused.
    void refuse(const std::string& text, const std::string& detail);
    // A stream under way stops; the loader may start another transfer.
    void stop(const std::string& text, const std::string& detail);
    // A transfer that came to nothing: the page may be left, a new "Ready" still
    // starts another one.
    void transferEnded();
    void endStream();
    void stopPolling();

    ProgramState& state_;
    FirmwareUpdateHost& host_;
    ImageLoader loader_;
    LoaderListener listener_;
    // A transfer is scheduled, asking for its file, or streaming.
    bool busy_ = false;
    std::optional<ImageStream> stream_;
    PercentGate gate_;
    int lastPercent_ = 0;
    bool polling_ = false;
    std::uint8_t ticks_ = 0;
};

} // namespace interlock
