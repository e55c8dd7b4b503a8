// A whole log download from interlock-sim paced at the line rate (115200 baud 8N1,
// 11,520 bytes/s): wall time against the wire time of the bytes moved.
//
//   download_bench [--records N] [--core] [--no-pacing]
//
// By default the DOWNLOAD page runs the read (log view and progress bar included);
// --core runs the same read without the page. --no-pacing lets the simulator send as
// fast as the pseudo-terminal takes, which shows what the program itself costs.
// In page mode it also reports the longest the event loop went without turning.
#include "app/program.h"
#include "connected_program.h"
#include "download_view.h"
#include "link/codes.h"
#include "link/frame.h"
#include "log/download_page.h"
#include "log/log_duties.h"
#include "printing_prompter.h"
#include "stall_watch.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

using namespace interlock;
namespace fs = std::filesystem;

namespace {
constexpr double kLineBytesPerSecond = 11520;

bool waitForEnd(const LogDownload& download) {
    return QTest::qWaitFor([&download] { return !download.running(); }, 3'600'000);
}
} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    std::string records = "50000";
    bool core = false;
    std::vector<std::string> simArgs{"--log-line", "2"};
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--records" && i + 1 < argc)
            records = argv[++i];
        else if (arg == "--core")
            core = true;
        else if (arg == "--no-pacing")
            simArgs.push_back(arg);
    }
    simArgs.insert(simArgs.end(), {"--log-count", records});

    sim::SimProcess sim;
    PrintingPrompter prompter;
    Program program(prompter);
    if (!testing::linkToSimulator(sim, simArgs, program))
        return 1;
    registerLogDuties(program);
    program.startTimer();
    for (const std::uint8_t code : {request::ReadInfo, request::ReadConfig})
        program.requester().read(code);

    std::size_t received = 0;
    QObject::connect(&program.channel(), &CComm::received,
                     [&received](const QByteArray& bytes) { received += bytes.size(); });
    const fs::path folder = fs::temp_directory_path() / "download-bench";
    fs::create_directories(folder);

    QElapsedTimer clock;
    StallWatch stalls;
    bool ended = false;
    std::string fileName;
    if (core) {
        testing::DownloadView host(false);
        LogDownload download(program.requester(), host, folder);
        const QObject scope;
        QObject::connect(&program, &Program::logBytesReceived, &scope,
                         [&download](auto bytes) { download.onBytes(bytes); });
        QObject::connect(&program, &Program::downloadFailed, &scope,
                         [&download] { download.fail(); });
        received = 0;
        clock.start();
        download.startRead("BENCH");
        ended = waitForEnd(download);
        fileName = download.exportFileName();
        for (const std::string& message : host.messages)
            std::cerr << "message: " << message << '\n';
    } else {
        CDownLoad_Part2 page(program, folder, nullptr);
        page.show();
        page.registrationEdit()->setText(QStringLiteral("BENCH"));
        received = 0;
        clock.start();
        stalls.start();
        page.readLogButton()->click();
        ended = waitForEnd(page.download());
        stalls.stop();
        page.logView()->flush();
        fileName = page.download().exportFileName();
    }
    const double wall = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    // Sent: the option read and the two section requests.
    const std::size_t sent = 3 * kFrameOverhead + 2 * 5;
    const std::size_t moved = received + sent;
    const double wire = static_cast<double>(moved) / kLineBytesPerSecond;
    const fs::path file = folder / fileName;
    const bool complete = ended && fs::exists(file);

    std::printf("mode            %s\n", core ? "core" : "page");
    std::printf("records         %s\n", records.c_str());
    std::printf("bytes moved     %zu (received %zu, sent %zu)\n", moved, received, sent);
    std::printf("export file     %s, %ju bytes\n", complete ? "complete" : "MISSING",
                complete ? static_cast<std::uintmax_t>(fs::file_size(file)) : 0);
    std::printf("wire time       %.3f s at 11,520 bytes/s\n", wire);
    std::printf("wall time       %.3f s\n", wall);
    std::printf("wall / wire     %.4f\n", wall / wire);
    if (!core)
        std::printf("longest stall   %.1f ms wall clock, %.1f ms processor time\n",
                    stalls.longestMs(), stalls.longestCpuMs());
    fs::remove_all(folder);
    return complete ? 0 : 1;
}
