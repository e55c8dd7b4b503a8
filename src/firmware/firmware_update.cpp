#include "firmware/firmware_update.h"

#include "link/codes.h"
#include "link/formatted.h"
#include "link/trace.h"

namespace interlock {

namespace {
constexpr std::uint8_t kFirstPollTick = 16;
constexpr std::uint8_t kLastPollTick = 75;
} // namespace

FirmwareUpdate::FirmwareUpdate(ProgramState& state, FirmwareUpdateHost& host, ImageLoader loader)
    : state_(state), host_(host), loader_(std::move(loader)), listener_(state) {}

WholeFile FirmwareUpdate::readImage(const std::string& path) {
    return readWholeFile(path, kMaxImageSize);
}

void FirmwareUpdate::startLoader() {
    state_.link.send(request::FirmwareLoader);
    state_.fwReceiveMode = true;
}

void FirmwareUpdate::onLoaderBytes(ReceiveRing& ring) {
    if (listener_.onBytes(ring) && !busy_) {
        busy_ = true;
        host_.scheduleTransfer();
    }
}

bool FirmwareUpdate::beginTransfer() {
    // The loader's state may have moved on while the transfer waited its turn.
    if (state_.fwTransferState != 0 || state_.closeMenuRequest) {
        busy_ = false;
        return false;
    }
    const std::string path = host_.chooseImage();
    if (path.empty()) {
        state_.fwTransferState = -1;
        trace("file open cancel\r\n");
        transferEnded();
        return false;
    }
    trace("str name = %s\r\n", path.c_str());
    WholeFile image = loader_(path);
    const bool tooLarge = image.error == std::errc::file_too_large;
    if (image.error && !tooLarge) {
        // The loader still waits: its next byte opens the dialog again.
        trace("bin file open error\r\n");
        host_.showMessage("The firmware file could not be opened.",
                          path + ": " + image.error.message());
        transferEnded();
        return false;
    }
    trace("file open success\r\n");
    const std::uint64_t size = image.size;
    trace("size = %llu\r\n", static_cast<unsigned long long>(size));
    if (tooLarge) {
        refuse(formatted("The firmware file is too large: it holds %llu bytes, an image at "
                         "most 4294967295. Nothing was sent to the interlock.",
                         static_cast<unsigned long long>(size)),
               path);
        return false;
    }
    if (size < ImageStream::kGroupBytes) {
        refuse(formatted("The firmware file is too short: it holds %llu bytes, an image at "
                         "least 4. Nothing was sent to the interlock.",
                         static_cast<unsigned long long>(size)),
               path);
        return false;
    }
    // A loader that starts again while the last transfer still awaits its answer
    // gets the new stream without poll requests in the middle of it.
    stopPolling();
    stream_.emplace(std::move(image.bytes));
    gate_ = PercentGate{};
    lastPercent_ = 0;
    trace("size = %d\r\n", static_cast<int>(stream_->groups()));
    trace("write start\r\n");
    return true;
}

std::size_t FirmwareUpdate::nextBlock(std::span<std::uint8_t> out) {
    if (!stream_)
        return 0;
    const std::size_t count = stream_->fill(out, [this](int percent) { progress(percent); });
    if (stream_->complete()) {
        state_.fwTransferState = -1;
        endStream();
    }
    return count;
}

void FirmwareUpdate::progress(int percent) {
    lastPercent_ = percent;
    state_.versionCheckRequest = true;
    if (!gate_.admit(percent))
        return;
    trace("%d\r\n", percent);
    host_.showPercent(percent, percentText(percent));
    if (percent == 100) {
        ticks_ = 0;
        polling_ = true;
        host_.startTimer();
        host_.showStatus("WAIT");
    }
}

void FirmwareUpdate::writeFailed(const std::string& reason) {
    if (!stream_ && !polling_)
        return;
    stop(formatted("The firmware update stopped at %d%%: the interlock could not be written "
                   "to.",
                   lastPercent_),
         reason);
}

void FirmwareUpdate::linkLost(const std::string& reason) {
    if (stream_ || polling_)
        writeFailed(reason);
    else
        transferEnded();
}

void FirmwareUpdate::tick() {
    trace("firmware update timer\r\n");
    if (ticks_ != 255)
        ++ticks_;
    if (ticks_ > kLastPollTick) {
        stopPolling();
        state_.fwReceiveMode = true;
        host_.showStatus("FAIL");
        host_.offerCancel();
    } else if (ticks_ >= kFirstPollTick) {
        state_.fwReceiveMode = false;
        state_.link.send(request::ReadInfo);
    }
}

void FirmwareUpdate::end() {
    state_.closeMenuRequest = true;
    stopPolling();
}

void FirmwareUpdate::refuse(const std::string& text, const std::string& detail) {
    state_.fwTransferState = -1;
    host_.showMessage(text, detail);
    transferEnded();
}

void FirmwareUpdate::stop(const std::string& text, const std::string& detail) {
    trace("firmware stream stopped: %s\r\n", detail.c_str());
    endStream();
    stopPolling();
    state_.fwTransferState = -1;
    state_.fwReceiveMode = true;
    // No answer is awaited for a stream that did not complete.
    state_.versionCheckRequest = false;
    host_.showStatus("FAIL");
    host_.showMessage(text, detail);
    transferEnded();
}

void FirmwareUpdate::transferEnded() {
    busy_ = false;
    host_.offerCancel();
}

void FirmwareUpdate::endStream() {
    stream_.reset();
    busy_ = false;
}

void FirmwareUpdate::stopPolling() {
    if (!polling_)
        return;
    polling_ = false;
    host_.stopTimer();
}

} // namespace interlock
