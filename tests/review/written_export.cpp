#include "written_export.h"

#include "download_view.h"
#include "link/requester.h"
#include "log/log_download.h"
#include "recording_pauser.h"
#include "sim/event_log.h"
#include "sim/log_stream.h"

#include <atomic>
#include <fstream>
#include <iterator>
#include <memory>
#include <unistd.h>

namespace interlock::testing {

namespace {
std::filesystem::path freshFolder() {
    static std::atomic<int> made = 0;
    auto folder = std::filesystem::temp_directory_path() /
                  ("written-export-" + std::to_string(::getpid()) + "-" + std::to_string(++made));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}
} // namespace

std::string writtenExport(const ServedLog& log) {
    sim::DeviceRecords records = sim::defaultRecords();
    records.identity.set_handset_serial(log.handsetSerial);
    records.identity.set_control_serial(log.controlSerial);
    std::vector<std::uint8_t> served = sim::headerSection(
        records, log.header ? sim::HeaderMode::Full : sim::HeaderMode::EmptyAllOnes);
    const std::vector<std::uint8_t> events = sim::eventSection(log.events, log.firmware);
    served.insert(served.end(), events.begin(), events.end());

    auto state = std::make_unique<ProgramState>();
    state->info.set_version(static_cast<std::uint8_t>(log.firmware >> 8),
                            static_cast<std::uint8_t>(log.firmware & 0xFF));
    state->Log_FW_Check = log.firmware;
    state->config.set_log_type(log.logType);
    state->option.set_test_unit(TestUnit{log.testUnit});
    for (std::size_t i = 18; i <= 22; ++i)
        state->diagnosis.bytes[i] = static_cast<std::uint8_t>(i - 17); // 1 to 5
    RecordingPauser pauser;
    Requester requester(*state, pauser);
    DownloadView page(false);
    const std::filesystem::path folder = freshFolder();
    std::string bytes;
    {
        LogDownload download(requester, page, folder);
        if (download.startRead(log.registration)) {
            download.onBytes(served);
            std::ifstream in(folder / download.exportFileName(), std::ios::binary);
            bytes.assign(std::istreambuf_iterator<char>(in), {});
        }
    }
    std::filesystem::remove_all(folder);
    return bytes;
}

sim::LogEvent event(int year, int month, int day, int hour, int minute, int second,
                    std::uint8_t code, std::uint16_t value) {
    return sim::makeEvent(CivilTime{year, month, day, hour, minute, second}, code, value);
}

} // namespace interlock::testing
