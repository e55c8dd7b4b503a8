#pragma once

#include "firmware/firmware_update.h"
#include "link_fixture.h"

#include <filesystem>
#include <string>
#include <vector>

namespace interlock::testing {

// What the loader is sent for `image`: its size, then its groups padded with 0xFF.
Bytes streamOf(const Bytes& image);

// The page as the firmware update sees it.
class RecordingUpdatePage : public FirmwareUpdateHost {
  public:
    void scheduleTransfer() override { ++scheduled; }
    std::string chooseImage() override {
        ++dialogs;
        return choice;
    }
    void showMessage(const std::string& text, const std::string& detail) override {
        messages.push_back(text + " | " + detail);
    }
    void showPercent(int percent, const std::string& text) override {
        percents.push_back(percent);
        label = text;
    }
    void showStatus(const std::string& text) override { label = text; }
    void startTimer() override { timerRunning = true; }
    void stopTimer() override { timerRunning = false; }
    void offerCancel() override { ++cancelOffers; }

    std::string choice;
    int scheduled = 0;
    int dialogs = 0;
    std::vector<std::string> messages;
    std::vector<int> percents;
    std::string label = "0%";
    bool timerRunning = false;
    int cancelOffers = 0;
};

// Hands the loader's bytes to the update while the firmware receive mode flag is
// set, and the awaited info record's arrival, as the page does.
class LoaderDispatcherHost : public FakeDispatcherHost {
  public:
    void firmwareBytes(ReceiveRing& ring) override { update->onLoaderBytes(ring); }
    void versionCheckAnswered() override { update->end(); }
    FirmwareUpdate* update = nullptr;
};

// A firmware update on a recording channel, fed through the real dispatcher.
class FirmwareTest : public ::testing::Test {
  protected:
    FirmwareTest();
    ~FirmwareTest() override;

    void feed(std::string_view text);
    void feed(const Bytes& bytes) { dispatcher.onBytes(bytes); }
    // OK pressed and the loader's "Ready\r\n" received; the channel is then emptied.
    void loaderReady();
    // Writes `bytes` as a file in the test's folder and makes it the dialog's choice.
    std::filesystem::path chooseFile(const Bytes& bytes, const std::string& name = "image.bin");
    // Runs the scheduled transfer and writes its blocks of `blockBytes` until it ends;
    // returns every byte written.
    Bytes runTransfer(std::size_t blockBytes = FirmwareUpdate::kBlockBytes);
    // All bytes written since the channel was last emptied.
    Bytes written() const;
    // Request codes of the frames written since the channel was last emptied.
    std::vector<std::uint8_t> requestCodes() const;

    ProgramState state;
    RecordingChannel channel;
    RecordingUpdatePage page;
    FirmwareUpdate::ImageLoader loader = FirmwareUpdate::readImage;
    FirmwareUpdate update{state, page, [this](const std::string& path) { return loader(path); }};
    LoaderDispatcherHost host;
    ResponseDispatcher dispatcher{state, host};
    TraceCapture traces;
    std::filesystem::path folder;
};

} // namespace interlock::testing
