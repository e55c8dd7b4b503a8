// Opening SETTINGS from the PART 2 menu against interlock-sim at its defaults (line
// rate, 2 ms latency): time from the button to the page shown, against the 1.2 s of
// fixed waits (four reads of 300 ms) the same opening would spend without early wake.
//
//   settings_open_bench [--runs N]
#include "app/main_menu_page.h"
#include "app/program.h"
#include "config/settings_pages.h"
#include "config/settings_part2_page.h"
#include "connected_program.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

using namespace interlock;

namespace {

constexpr double kFixedWaitsMs = 4 * 300;

// Stops the clock when a SETTINGS page is shown and closes the page again.
struct ShownWatch : QObject {
    QElapsedTimer clock;
    double shownMs = -1;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            if (auto* page = qobject_cast<CSetting_Part2*>(watched)) {
                shownMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
                QTimer::singleShot(0, page, &QDialog::reject);
            }
        }
        return false;
    }
};

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    int runs = 20;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::string(argv[i]) == "--runs")
            runs = std::max(1, std::atoi(argv[++i]));
    }

    testing::ConnectedProgram link;
    if (!link.start({})) {
        std::cerr << "interlock-sim: " << link.sim.error() << '\n';
        return 1;
    }
    Program& program = link.program;
    registerSettingsPages(program);
    CMain_Part2 menu(program, nullptr);
    menu.show();
    if (!QTest::qWaitFor([&program] { return program.state().infoSeen != 0; }, 5000)) {
        std::cerr << "the menu got no info record\n";
        return 1;
    }

    ShownWatch watch;
    app.installEventFilter(&watch);
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        watch.shownMs = -1;
        watch.clock.start();
        menu.button(MenuCommand::Part2Settings)->click();
        if (watch.shownMs < 0) {
            std::cerr << "the page did not show\n";
            return 1;
        }
        times.push_back(watch.shownMs);
    }
    std::sort(times.begin(), times.end());
    const double median = times[times.size() / 2];
    std::printf("runs            %d\n", runs);
    std::printf("button to page  median %.1f ms, fastest %.1f ms, slowest %.1f ms\n", median,
                times.front(), times.back());
    std::printf("fixed waits     %.0f ms\n", kFixedWaitsMs);
    std::printf("median / waits  %.4f (1/%.0f)\n", median / kFixedWaitsMs, kFixedWaitsMs / median);
    return 0;
}
