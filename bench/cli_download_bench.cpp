// A whole log download through the command line: `interlock-service download` run as
// its own process against interlock-sim paced at the line rate (115200 baud 8N1,
// 11,520 bytes/s). Its wall time, from start to exit, is set against the wire time of
// the log plus the fixed waits of the way to DOWNLOAD (the menu's settling wait and
// the two diagnosis controls). The few frames around the log are not counted, which
// can only make the figure worse.
//
//   cli_download_bench [--records N]
#include "app/user_file_place.h"
#include "link/requester.h"
#include "sim/sim_process.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/resource.h>

using namespace interlock;
namespace fs = std::filesystem;

namespace {
constexpr double kLineBytesPerSecond = 11520;
constexpr double kFixedWaitSeconds = 3 * Requester::kReadWaitMs / 1000.0;
} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    std::string records = "20000";
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::string(argv[i]) == "--records")
            records = argv[++i];
    }
    QTemporaryDir work;
    const fs::path folder = work.path().toStdString();
    const fs::path config = folder / "config";
    const fs::path userFile = userFileUnder(config);
    fs::create_directories(userFile.parent_path());
    std::ofstream(userFile, std::ios::binary) << "bench\tbench\r\n";
    const fs::path served = folder / "served.bin";

    sim::SimProcess sim;
    if (!sim.start({"--log-line", "2", "--log-count", records, "--served-log", served.string()})) {
        std::fprintf(stderr, "interlock-sim: %s\n", sim.error().c_str());
        return 1;
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_CONFIG_HOME", QString::fromStdString(config.string()));
    environment.insert("INTERLOCK_PASSWORD", "bench");
    QProcess job;
    job.setProcessEnvironment(environment);
    job.setProcessChannelMode(QProcess::ForwardedErrorChannel);

    QElapsedTimer clock;
    clock.start();
    job.start(QStringLiteral(INTERLOCK_SERVICE_EXECUTABLE),
              {"download", "--port", QString::fromStdString(sim.portPath()), "--registration",
               "BENCH", "--out", QString::fromStdString((folder / "out").string()), "--user",
               "bench", "--json"});
    job.closeWriteChannel();
    const bool ended = job.waitForFinished(3'600'000);
    const double wall = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    // The job's own processor time: on a busy machine the wall time also holds its
    // waits for a processor (start-up above all).
    rusage used{};
    getrusage(RUSAGE_CHILDREN, &used);
    const double cpu = static_cast<double>(used.ru_utime.tv_sec + used.ru_stime.tv_sec) +
                       static_cast<double>(used.ru_utime.tv_usec + used.ru_stime.tv_usec) / 1e6;

    const QJsonObject result = QJsonDocument::fromJson(job.readAllStandardOutput()).object();
    const fs::path file = result["exportFile"].toString().toStdString();
    std::error_code none;
    const auto logBytes = fs::file_size(served, none);
    const bool complete = ended && job.exitCode() == 0 && fs::exists(file) && !none;
    const double wire = static_cast<double>(logBytes) / kLineBytesPerSecond;

    std::printf("mode            command line\n");
    std::printf("records         %s\n", records.c_str());
    std::printf("log bytes       %ju\n", static_cast<std::uintmax_t>(complete ? logBytes : 0));
    std::printf("export file     %s, %ju bytes, %d events\n", complete ? "complete" : "MISSING",
                complete ? static_cast<std::uintmax_t>(fs::file_size(file)) : 0,
                result["events"].toInt());
    std::printf("wire time       %.3f s at 11,520 bytes/s\n", wire);
    std::printf("fixed waits     %.3f s\n", kFixedWaitSeconds);
    std::printf("wall time       %.3f s, start to exit\n", wall);
    std::printf("processor time  %.3f s, the job's own\n", cpu);
    std::printf("wall / budget   %.4f (budget: wire time + fixed waits)\n",
                wall / (wire + kFixedWaitSeconds));
    return complete ? 0 : 1;
}
