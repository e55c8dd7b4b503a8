#pragma once

#include "link/requester.h"
#include "log/event_decoder.h"
#include "log/export_file.h"
#include "log/log_download_host.h"
#include "log/log_receiver.h"
#include "log/log_texts.h"

#include <ctime>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace interlock {

// How far a read has come, for the DOWNLOAD page's progress bar.
struct LogProgress {
    LogSection section = LogSection::Header;
    std::uint32_t bodyBytes = 0; // body bytes of the current section received
    std::uint32_t bodySize = 0;  // its length_size (0 until known)
    std::uint32_t records = 0;   // event records assembled and decoded
    std::uint32_t lines = 0;     // event lines printed
};

// How the last read ended.
enum class LogReadResult {
    None, // no read started
    Running,
    Complete,  // the export file is written (empty when the log had no event)
    Failed,    // the log stopped coming or failed its checks: no export file
    NotWritten // the export file could not be created or written: no export file
};

// One log read from READ LOG to its end: the export file, the receivers, the
// decoders and the texts of the DOWNLOAD page. The page calls startRead; the main
// window hands it the dispatcher's log bytes and the watchdog's failure.
class LogDownload final : private LogReceiverEvents {
  public:
    using Clock = std::function<std::time_t()>;
    static constexpr int kOptionWaitMs = 500;

    // Export files are created in `folder` (empty: the current working folder).
    LogDownload(
        Requester& requester, LogDownloadHost& host, std::filesystem::path folder = {},
        Clock clock = [] { return std::time(nullptr); });
    // A read still running ends here; no export file is written for it.
    ~LogDownload() override;

    // READ LOG: reads the options, creates the export file named after the local
    // time and `registration`, prepares the receive state and the opening block,
    // and requests the header. False, with "file Create Fail" shown, when the file
    // cannot be created (or when a read is already running).
    bool startRead(std::string_view registration);
    // Received bytes while the log-download flag is set (DispatcherHost::logBytes).
    void onBytes(std::span<const std::uint8_t> bytes);
    // The watchdog found the read stalled (LogTimerHost::failLogDownload): the view
    // is cleared, no export file is left and the failure is shown.
    void fail();

    bool running() const { return state_.logDownload; }
    LogReadResult result() const { return running() ? LogReadResult::Running : result_; }
    LogProgress progress() const;
    // The export file name of the last read started.
    const std::string& exportFileName() const { return fileName_; }
    // Why that read's export file could not be created or written: the system's
    // reason and the folder.
    std::string fileFailure() const;

  private:
    void headerSkipped() override;
    void headerComplete(const LogHeader& header) override;
    void eventRecord(std::span<const std::uint8_t> record) override;
    void eventLogEmpty() override;
    void eventLogComplete() override;

    std::int32_t refreshLocalOffset();
    void requestSection(LogSection section);
    void requestEvents();
    // Ends the read as failed: view cleared, no export file, `message` shown.
    void abandon(const std::string& message);
    // Clears the flag and writes the export file; false, with the read failed, when
    // that did not work.
    bool finish();

    Requester& requester_;
    ProgramState& state_;
    LogDownloadHost& host_;
    std::filesystem::path folder_;
    Clock clock_;
    LogReceiver receiver_;
    EventDecoder decoder_;
    ExportFile file_;
    std::string fileName_;
    LogTexts texts_;
    std::uint32_t recordNumber_ = 1;
    std::uint32_t lines_ = 0;
    LogReadResult result_ = LogReadResult::None;
};

} // namespace interlock
