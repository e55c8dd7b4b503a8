// Writes pictures of the log review window for the README: a generated log as the
// program's own download writes it, opened in the window offscreen.
#include "recording_prompter.h"
#include "review/review_window.h"
#include "sim/event_log.h"
#include "written_export.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

#include "review/event_filter.h"

#include <cstdio>
#include <fstream>

using namespace interlock;
using namespace interlock::review;

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: review_screenshot OUTPUT_FOLDER\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    QTemporaryDir exports;
    testing::ServedLog served;
    served.registration = "KA-7731";
    served.events = sim::generateEvents(11, 900, 2, CivilTime{2026, 9, 1, 5, 0, 0});
    const std::filesystem::path file =
        std::filesystem::path(exports.path().toStdString()) / "261025-101500-KA-7731.csv";
    std::ofstream(file, std::ios::binary) << testing::writtenExport(served);

    testing::RecordingPrompter prompter;
    CLog_Review window(prompter);
    window.resize(1280, 900);
    window.show();
    if (!window.open(file) || !QTest::qWaitFor([&] { return window.isFilled(); }, 10000)) {
        std::fprintf(stderr, "%s\n", qPrintable(prompter.messages.join("\n")));
        return 1;
    }
    QTest::qWait(100);
    window.grab().save(QString::fromStdString((folder / "review-window.png").string()));

    window.kindFilter()->setCurrentIndex(static_cast<int>(KindFilter::Violations));
    window.eventList()->selectRow(3);
    window.timelineView()->zoomBy(0.15, window.timelineView()->viewFrom());
    QTest::qWait(100);
    window.grab().save(QString::fromStdString((folder / "review-violations.png").string()));
    return 0;
}
