#include "log/log_download.h"

#include "link/codes.h"
#include "link/local_time.h"
#include "link/trace.h"
#include "log/export_text.h"

#include <array>

namespace interlock {

namespace {
constexpr std::uint8_t kCompleteCountdown = 2;
constexpr std::uint32_t kErasedLength = 0xFFFFFFFF;
} // namespace

LogDownload::LogDownload(Requester& requester, LogDownloadHost& host, std::filesystem::path folder,
                         Clock clock)
    : requester_(requester), state_(requester.state()), host_(host), folder_(std::move(folder)),
      clock_(std::move(clock)), receiver_(state_, *this) {}

LogDownload::~LogDownload() {
    // No byte may reach a read that no longer exists.
    state_.logDownload = false;
}

bool LogDownload::startRead(std::string_view registration) {
    if (running())
        return false;
    trace("OnBnClickedButtonReadLog\r\n");
    requester_.read(request::ReadOption, {}, kOptionWaitMs);

    // The zone is read once per read; every stamp of the log is converted with it.
    reloadTimeZone();
    const std::time_t now = clock_();
    const LogStamp local = utcToLocal(utcStampAt(now), refreshLocalOffset());
    fileName_ = interlock::exportFileName(local, registration);
    trace("Write file name = %s\r\n", fileName_.c_str());
    if (!file_.create(folder_ / fileName_)) {
        result_ = LogReadResult::NotWritten;
        host_.showMessage("file Create Fail");
        return false;
    }

    receiver_.startSection(LogSection::Header);
    recordNumber_ = 1;
    lines_ = 0;
    decoder_ = EventDecoder{state_.config.log_type(), generationOf(state_.Log_FW_Check),
                            state_.option.test_unit()};
    texts_.clear();
    addOpeningBlock(texts_, registration, state_.info, state_.diagnosis);

    state_.logDownload = true;
    result_ = LogReadResult::Running;
    trace("log read start\r\n");
    host_.setReadLogEnabled(false);
    host_.setDeleteLogEnabled(false);
    requestSection(LogSection::Header);
    return true;
}

void LogDownload::onBytes(std::span<const std::uint8_t> bytes) {
    for (const std::uint8_t byte : bytes) {
        if (!running())
            return; // the read ended inside this chunk; the rest is not log data
        receiver_.feed(byte);
    }
}

void LogDownload::fail() {
    // The watchdog may already have cleared the flag; the open file marks the read.
    if (file_.isOpen()) {
        result_ = LogReadResult::Failed;
        abandon("Failure to download log data. Please check the connections and try again.");
    }
}

void LogDownload::abandon(const std::string& message) {
    file_.discard();
    texts_.clear();
    host_.clearView();
    state_.logDownload = false;
    trace("%s\r\n", fileName_.c_str());
    host_.showMessage(message);
}

LogProgress LogDownload::progress() const {
    const LogReceiveState& rx = receiver_.receiveState();
    return {rx.section, rx.bodyBytes, rx.length_size == kErasedLength ? 0 : rx.length_size,
            rx.records, lines_};
}

std::int32_t LogDownload::refreshLocalOffset() {
    state_.localTimeOffset = localTimeOffsetAt(clock_());
    return state_.localTimeOffset;
}

void LogDownload::requestSection(LogSection section) {
    const std::array<std::uint8_t, 5> payload{static_cast<std::uint8_t>(section), 0, 0, 0, 0};
    state_.link.send(request::ReadLog, payload);
}

void LogDownload::requestEvents() {
    receiver_.startSection(LogSection::Events);
    state_.logDownload = true;
    requestSection(LogSection::Events);
}

void LogDownload::headerSkipped() {
    requestEvents();
}

void LogDownload::headerComplete(const LogHeader& header) {
    addHeaderRows(texts_, header, localStampOf(header.serviceTime()));
    host_.appendToView(texts_.screen);
    // The file text waits for the first event line.
    texts_.screen.clear();
    requestEvents();
}

void LogDownload::eventRecord(std::span<const std::uint8_t> record) {
    trace("log [%d]\r\n", decoder_.number());
    if (!decoder_.decode(record, recordNumber_, texts_))
        return;
    ++lines_;
    host_.appendToView(texts_.screen);
    file_.write(texts_.file);
    texts_.clear();
}

bool LogDownload::finish() {
    state_.logDownload = false;
    if (file_.commit()) {
        result_ = LogReadResult::Complete;
        return true;
    }
    result_ = LogReadResult::NotWritten;
    trace("Export file %s not written\r\n", fileName_.c_str());
    // The view is cleared and no file is left, as after any failed read, but the
    // message names the file system's reason and the folder, not the connection.
    abandon(fileFailure());
    return false;
}

std::string LogDownload::fileFailure() const {
    std::error_code ignored;
    const std::filesystem::path folder =
        std::filesystem::absolute(file_.finalPath(), ignored).parent_path();
    return "The export file could not be written: " + file_.error() +
           "\nFolder: " + folder.string();
}

void LogDownload::eventLogEmpty() {
    if (finish())
        host_.showMessage("Event Log Read Complete");
}

void LogDownload::eventLogComplete() {
    if (!finish())
        return;
    host_.setDeleteLogEnabled(true);
    state_.messageCountdown = kCompleteCountdown;
}

} // namespace interlock
