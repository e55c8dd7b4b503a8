#include "written_export.h"

#include "download_view.h"
#include "link/requester.h"
#include "log/log_download.h"
#include "recording_pauser.h"
#include "scratch_folder.h"
#include "sim/event_log.h"
#include "sim/log_stream.h"

#include <atomic>
#include <memory>

namespace interlock::testing {

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
    static std::atomic<int> made = 0;
    const ScratchFolder folder("written-export-" + std::to_string(++made));
    LogDownload download(requester, page, folder.path);
    if (!download.startRead(log.registration))
        return {};
    download.onBytes(served);
    return fileContents(folder.path / download.exportFileName());
}

sim::LogEvent event(int year, int month, int day, int hour, int minute, int second,
                    std::uint8_t code, std::uint16_t value) {
    return sim::makeEvent(CivilTime{year, month, day, hour, minute, second}, code, value);
}

} // namespace interlock::testing
