// Soak: many connects and log downloads against one interlock-sim in one run, with
// the resident memory at the start, after the first tenth and at the end.
//
//   soak [--connects N] [--downloads N] [--records N]
//
// Each connect closes the port, opens it again and sends the connect request, as the
// PC Connect page does, and counts only when the main menu is asked for. The downloads
// (read into an export file, then the file removed) are spread evenly among them.
// Exits 1 on any connect or download that does not end as it should.
#include "app/program_channel_opener.h"
#include "connected_program.h"
#include "download_view.h"
#include "link/codes.h"
#include "log/log_download.h"
#include "log/log_duties.h"
#include "printing_prompter.h"

#include <QApplication>
#include <QTest>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <unistd.h>

using namespace interlock;
namespace fs = std::filesystem;

namespace {
constexpr int kAnswerTimeoutMs = 5000;
constexpr int kDownloadTimeoutMs = 60000;

long residentKib() {
    std::ifstream statm("/proc/self/statm");
    long size = 0;
    long resident = 0;
    statm >> size >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// One read of the whole log into an export file in `folder`, then the file removed.
bool download(Program& program, const fs::path& folder) {
    testing::DownloadView host(false);
    LogDownload read(program.requester(), host, folder);
    const QObject scope;
    QObject::connect(&program, &Program::logBytesReceived, &scope,
                     [&read](auto bytes) { read.onBytes(bytes); });
    QObject::connect(&program, &Program::downloadFailed, &scope, [&read] { read.fail(); });
    if (!read.startRead("SOAK") ||
        !QTest::qWaitFor([&read] { return !read.running(); }, kDownloadTimeoutMs))
        return false;
    const fs::path file = folder / read.exportFileName();
    const bool complete = host.messages.empty() && fs::exists(file) && fs::file_size(file) > 0;
    fs::remove(file);
    return complete;
}

int number(const char* text) {
    return std::max(1, std::atoi(text));
}
} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    int connects = 1000;
    int downloads = 100;
    std::string records = "200";
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string arg = argv[i];
        if (arg == "--connects")
            connects = number(argv[i + 1]);
        else if (arg == "--downloads")
            downloads = number(argv[i + 1]);
        else if (arg == "--records")
            records = argv[i + 1];
    }

    sim::SimProcess sim;
    PrintingPrompter prompter;
    Program program(prompter);
    if (!testing::linkToSimulator(sim, {"--no-pacing", "--log-count", records}, program))
        return 1;
    registerLogDuties(program);
    program.startTimer();
    int menus = 0;
    program.launcher().registerPage(PageRequest::MainPart2, [&menus] { ++menus; });
    ProgramChannelOpener opener(program);
    const fs::path folder = fs::temp_directory_path() / ("soak-" + std::to_string(getpid()));
    fs::create_directories(folder);

    const long startKib = residentKib();
    long tenthKib = 0;
    int connected = 0;
    int downloaded = 0;
    int failures = 0;
    const int downloadEvery = std::max(1, connects / downloads);
    for (int i = 1; i <= connects; ++i) {
        const int before = menus;
        const ConnectVerdict verdict =
            connectToInterlock(program.state(), opener, sim.portPath(), false, false);
        if (verdict.connected &&
            QTest::qWaitFor([&] { return menus > before; }, kAnswerTimeoutMs)) {
            ++connected;
        } else {
            ++failures;
            std::cerr << "connect " << i << " failed: " << verdict.message << '\n';
        }
        if (i % downloadEvery == 0 && downloaded < downloads) {
            program.requester().read(request::ReadInfo);
            if (download(program, folder)) {
                ++downloaded;
            } else {
                ++failures;
                std::cerr << "download after connect " << i << " failed\n";
            }
        }
        if (i == connects / 10)
            tenthKib = residentKib();
    }
    const long endKib = residentKib();
    fs::remove_all(folder);

    std::printf("connects        %d of %d\n", connected, connects);
    std::printf("downloads       %d of %d (%s events each)\n", downloaded, downloads,
                records.c_str());
    std::printf("resident KiB    start %ld, after 10%% %ld, end %ld\n", startKib, tenthKib, endKib);
    std::printf("growth          %+ld KiB after the first 10%%\n", endKib - tenthKib);
    return failures == 0 && downloaded == downloads ? 0 : 1;
}
