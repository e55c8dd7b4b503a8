// Opening the log review on a large export file: the time until the window is
// filled and drawn, and the longest the event loop went without turning while it
// filled, each against its budget (1 s to open, 50 ms without a turn).
//
//   review_open_bench [--events N] [--file EXPORT]
//
// The export file is written first by the program's own log download for a
// generated PART 2 log of N events (default 100,000), into a temporary folder or,
// when it does not exist yet, as EXPORT; only the review is timed.
#include "printing_prompter.h"
#include "review/event_filter.h"
#include "review/export_reader.h"
#include "review/review_window.h"
#include "sim/event_log.h"
#include "stall_watch.h"
#include "written_export.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

using namespace interlock;
using namespace interlock::review;

namespace {
constexpr double kOpenBudgetMs = 1000;
constexpr double kStallBudgetMs = 50;

double msSince(const QElapsedTimer& timer) {
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}
} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    std::size_t count = 100000;
    std::filesystem::path file;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::string(argv[i]) == "--events")
            count = std::stoul(argv[++i]);
        else if (std::string(argv[i]) == "--file")
            file = argv[++i];
    }

    QTemporaryDir folder;
    if (file.empty())
        file = folder.path().toStdString() + "/240101-060000-AB12.csv";
    std::string bytes;
    if (!std::filesystem::exists(file)) {
        testing::ServedLog served;
        served.events = sim::generateEvents(3, count, 2, CivilTime{2024, 1, 1, 6, 0, 0});
        bytes = testing::writtenExport(served);
        std::ofstream(file, std::ios::binary) << bytes;
    } else {
        std::ifstream in(file, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), {});
    }

    QElapsedTimer core;
    core.start();
    const auto read = readExport(bytes);
    const double coreMs = msSince(core);
    if (!std::holds_alternative<ExportLog>(read)) {
        std::cerr << "the export file could not be read\n";
        return 1;
    }
    const std::size_t lines = std::get<ExportLog>(read).events.size();

    PrintingPrompter prompter;
    CLog_Review window(prompter);
    window.resize(1280, 900);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;

    StallWatch stalls;
    QEventLoop loop;
    QObject::connect(&window, &CLog_Review::filled, &loop, &QEventLoop::quit);
    QObject::connect(&window, &CLog_Review::readFailed, &loop, &QEventLoop::quit);
    stalls.start();
    QElapsedTimer open;
    open.start();
    const double openCpu = threadCpuMs();
    if (!window.open(file))
        return 1;
    loop.exec();
    if (!window.isFilled())
        return 1;
    const double filledMs = msSince(open);
    // Drawn: the loop's next turns lay out and paint the filled window.
    QTimer::singleShot(0, &loop, [&loop] { QTimer::singleShot(0, &loop, &QEventLoop::quit); });
    loop.exec();
    const double drawnMs = msSince(open);
    const double drawnCpuMs = threadCpuMs() - openCpu;
    // Whatever else the filling left to do shows in the loop's next half second.
    QTimer::singleShot(500, &loop, &QEventLoop::quit);
    loop.exec();
    stalls.stop();

    // After filling: a filter over every event, and one zoom step of the chart.
    QElapsedTimer step;
    step.start();
    window.kindFilter()->setCurrentIndex(static_cast<int>(KindFilter::Violations));
    const double filterMs = msSince(step);
    step.restart();
    const double zoomCpu = threadCpuMs();
    window.timelineView()->zoomBy(0.8, window.timelineView()->viewFrom());
    window.timelineView()->grab();
    const double zoomMs = msSince(step);
    const double zoomCpuMs = threadCpuMs() - zoomCpu;

    std::printf("events            %zu (%zu bytes)\n", lines, bytes.size());
    std::printf("core read         %8.1f ms\n", coreMs);
    std::printf("open to filled    %8.1f ms\n", filledMs);
    std::printf("open to drawn     %8.1f ms   %.2f of the 1 s budget\n", drawnMs,
                drawnMs / kOpenBudgetMs);
    std::printf("                  %8.1f ms   %.2f of the 1 s budget (processor time)\n",
                drawnCpuMs, drawnCpuMs / kOpenBudgetMs);
    std::printf("longest stall     %8.1f ms   %.2f of the 50 ms budget (wall clock)\n",
                stalls.longestMs(), stalls.longestMs() / kStallBudgetMs);
    std::printf("                  %8.1f ms   %.2f of the 50 ms budget (processor time)\n",
                stalls.longestCpuMs(), stalls.longestCpuMs() / kStallBudgetMs);
    std::printf("violations filter %8.1f ms\n", filterMs);
    std::printf("zoom step, drawn  %8.1f ms\n", zoomMs);
    std::printf("                  %8.1f ms   (processor time)\n", zoomCpuMs);
    return 0;
}
