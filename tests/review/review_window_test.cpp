// The review window offscreen: opened on the export file of a real download from
// the simulator, its filters and the selection shared by list and chart, the chart's
// keys, mouse and hover, the PDF report, and files it must refuse. The report's
// failures that need POSIX files are in report_file_refusal_test.cpp.
#include "connected_program.h"
#include "link/codes.h"
#include "log/download_page.h"
#include "review/event_filter.h"
#include "review/review_pages.h"
#include "review/review_window.h"
#include "review/timeline_painter.h"
#include "sim/event_log.h"
#include "time_zone.h"
#include "written_export.h"

#include <QApplication>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

#include <cmath>
#include <ctime>

#include <fstream>

using namespace interlock;
using namespace interlock::review;
using namespace interlock::testing;
namespace fs = std::filesystem;

namespace {
constexpr int kFillTimeoutMs = 20000;

// Answers the save dialog with a path of the test's choosing, and keeps the one it
// was offered.
struct SavingPrompter : RecordingPrompter {
    std::string savePath;
    std::string offered;
    using RecordingPrompter::saveFileName;
    std::string saveFileName(const std::string&, const std::string&,
                             const std::string& suggestedPath) override {
        offered = suggestedPath;
        return savePath;
    }
};

// A PART 2 log with two failed tests, a missed retest and tampering among others.
fs::path writeKnownLog(const fs::path& folder) {
    testing::ServedLog served;
    served.firmware = 0x0403;
    using testing::event;
    served.events = {
        event(2026, 3, 1, 6, 0, 0, 0x27, 0x0500), event(2026, 3, 1, 6, 1, 0, 0x12, 900),
        event(2026, 3, 1, 6, 2, 0, 0x10, 120),    event(2026, 3, 1, 6, 3, 0, 0x31, 0x0100),
        event(2026, 3, 1, 7, 0, 0, 0x6C),         event(2026, 3, 1, 7, 30, 0, 0x1C, 600),
        event(2026, 3, 1, 8, 0, 0, 0x55),         event(2026, 3, 1, 9, 0, 0, 0x2D)};
    const fs::path file = folder / "260301-090000-AB12.csv";
    std::ofstream(file, std::ios::binary) << testing::writtenExport(served);
    return file;
}

// Shows the window on `file` and waits until it is filled and its chart laid out.
bool opensFilled(CLog_Review& window, const fs::path& file) {
    window.show();
    return window.open(file) &&
           QTest::qWaitFor([&window] { return window.isFilled(); }, kFillTimeoutMs) &&
           QTest::qWaitFor([&window] { return window.timelineView()->plotArea().width() > 100; });
}

// The count of a series' events in view, as the chart tells a screen reader.
int countInView(const TimelineView& chart, TimelineSeries series) {
    const QRegularExpression count(
        QRegularExpression::escape(QString::fromUtf8(seriesCaption(series))) +
        QStringLiteral(" (\\d+)"));
    const QRegularExpressionMatch match = count.match(chart.accessibleDescription());
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

// Dark pixels on the ring the chart draws round a selected point.
int darkPixelsRound(TimelineView& chart, std::uint32_t event) {
    const QImage picture = chart.grab().toImage();
    const QPoint centre = chart.positionOf(event);
    int dark = 0;
    for (int dy = -11; dy <= 11; ++dy) {
        for (int dx = -11; dx <= 11; ++dx) {
            const double radius = std::hypot(dx, dy);
            if (radius >= 7.5 && radius <= 10.5)
                dark += qGray(picture.pixel(centre + QPoint(dx, dy))) < 80;
        }
    }
    return dark;
}

QString field(const CLog_Review& window, const char* caption) {
    const QLineEdit* value = window.summaryField(QString::fromLatin1(caption));
    return value ? value->text() : QStringLiteral("(no field)");
}
} // namespace

class ReviewWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void downloadedLogShowsItsCountsAndOnePointPerBreathTest();
    void violationsFilterAndSelectionGoBothWays();
    void chartZoomsPansAndShowsTheEventUnderTheMouse();
    void chartPlacesEventsByTheirPrintedTime();
    void reportIsWrittenAsPdfOrItsFailureShown();
    void damagedOrMissingFilesAreRefusedAndEmptyOnesShown();
};

void ReviewWindowTest::downloadedLogShowsItsCountsAndOnePointPerBreathTest() {
    ScratchFolder folder("review-download");
    const fs::path served = folder.path / "events.txt";
    ConnectedProgram link;
    QVERIFY2(link.start({"--no-pacing", "--log-count", "300", "--events-out", served.string()}),
             link.sim.error().c_str());
    link.program.requester().read(request::ReadInfo);
    QTRY_COMPARE(link.program.state().Log_FW_Check, 0x0404u);
    CDownLoad_Part2 page(link.program, folder.path, nullptr,
                         [&link](const fs::path& exportFile, QWidget* parent) {
                             openLogReview(link.prompter, exportFile, parent);
                         });
    page.show();
    QVERIFY(page.reviewButton() && !page.reviewButton()->isEnabled());
    page.readLogButton()->click();
    QVERIFY(!page.reviewButton()->isEnabled());
    QVERIFY(QTest::qWaitFor([&page] { return !page.download().running(); }, kFillTimeoutMs));
    QTRY_VERIFY(link.prompter.saw("Event Read Complete"));
    QVERIFY(page.reviewButton()->isEnabled());

    // REVIEW opens the window over the page on the file just written; what it
    // shows is taken once it is filled, and it is closed again.
    struct Shown {
        int passedPoints = -1;
        int failedPoints = -1;
        QString failedField, violationsField, eventsField, handsetField;
        ReviewSummary summary;
        std::size_t events = 0;
        int rows = 0;
    } shown;
    auto* poll = new QTimer(&page);
    connect(poll, &QTimer::timeout, poll, [poll, &shown] {
        auto* window = qobject_cast<CLog_Review*>(QApplication::activeModalWidget());
        if (!window || !window->isFilled())
            return;
        poll->stop();
        const TimelineView& chart = *window->timelineView();
        shown = {countInView(chart, TimelineSeries::PassedTests),
                 countInView(chart, TimelineSeries::FailedTests),
                 field(*window, "Breath tests failed"),
                 field(*window, "Violations"),
                 field(*window, "Events"),
                 field(*window, "Handset S/N"),
                 window->summary(),
                 window->log().events.size(),
                 window->eventModel()->rowCount()};
        window->accept();
    });
    poll->start(10);
    page.reviewButton()->click();
    QVERIFY2(link.prompter.messages.size() == 1, qPrintable(link.prompter.messages.join('\n')));
    QVERIFY(page.isVisible());

    // What the interlock served: every breath test it logged becomes one point.
    std::string error;
    const auto events = sim::parseEvents(fileContents(served), error);
    QVERIFY2(events, error.c_str());
    int tests = 0;
    int failed = 0;
    for (const sim::LogEvent& e : *events) {
        const bool empty = e[0] == 0xFF || e[1] == 0xFF || e[2] == 0xFF;
        const std::uint8_t code = e[6];
        tests += !empty && (code == 0x10 || code == 0x11 || code == 0x12 || code == 0x1A ||
                            code == 0x1B || code == 0x1C);
        failed += !empty && (code == 0x12 || code == 0x1C);
    }
    QVERIFY(tests > 20 && failed > 0);
    // The whole period is in view at first.
    QCOMPARE(shown.passedPoints, tests - failed);
    QCOMPARE(shown.failedPoints, failed);

    const ReviewSummary& summary = shown.summary;
    QCOMPARE(shown.failedField, QString::number(summary.count(EventKind::TestFailed)));
    QCOMPARE(summary.count(EventKind::TestFailed) + summary.count(EventKind::RetestFailed),
             std::size_t(failed));
    QCOMPARE(shown.violationsField, QString::number(summary.violations()));
    QCOMPARE(shown.eventsField, QString::number(shown.events));
    QCOMPARE(shown.handsetField, QStringLiteral("HS000123"));
    QCOMPARE(shown.rows, int(shown.events));
}

void ReviewWindowTest::violationsFilterAndSelectionGoBothWays() {
    ScratchFolder folder("review-filter");
    RecordingPrompter prompter;
    CLog_Review window(prompter);
    QVERIFY(opensFilled(window, writeKnownLog(folder.path)));
    EventTableModel* model = window.eventModel();
    QCOMPARE(model->rowCount(), 8);

    // Two clicks: the kind list, then its violations entry.
    window.kindFilter()->setCurrentIndex(static_cast<int>(KindFilter::Violations));
    QCOMPARE(window.kindFilter()->currentText(), QStringLiteral("Violations only"));
    QCOMPARE(model->rowCount(), 4);
    for (int row = 0; row < model->rowCount(); ++row)
        QVERIFY(isViolation(window.log().events[model->eventAt(row)].kind));
    QTest::keyClicks(window.textFilter(), QStringLiteral("TAMPER"));
    QTRY_COMPARE(model->rowCount(), 1);
    QCOMPARE(model->eventAt(0), 6u);

    // A line selected in the list is circled on the chart.
    TimelineView* chart = window.timelineView();
    QCOMPARE(darkPixelsRound(*chart, 6), 0);
    window.eventList()->selectRow(0);
    QCOMPARE(chart->highlighted(), std::optional<std::uint32_t>(6));
    QVERIFY(darkPixelsRound(*chart, 6) > 20);
    QCOMPARE(chart->eventAt(chart->positionOf(6)), std::optional<std::uint32_t>(6));

    // A point clicked on the chart is selected in the list, even one the filter hid.
    QTest::mouseClick(chart, Qt::LeftButton, {}, chart->positionOf(2));
    QCOMPARE(window.kindFilter()->currentIndex(), static_cast<int>(KindFilter::All));
    QVERIFY(window.textFilter()->text().isEmpty());
    QCOMPARE(model->rowCount(), 8);
    QCOMPARE(window.eventList()->currentIndex().row(), 2);
    QCOMPARE(chart->highlighted(), std::optional<std::uint32_t>(2));
    QVERIFY(darkPixelsRound(*chart, 2) > 20);
    QCOMPARE(darkPixelsRound(*chart, 6), 0);
}

void ReviewWindowTest::chartZoomsPansAndShowsTheEventUnderTheMouse() {
    ScratchFolder folder("review-chart");
    RecordingPrompter prompter;
    CLog_Review window(prompter);
    QVERIFY(opensFilled(window, writeKnownLog(folder.path)));
    TimelineView* chart = window.timelineView();
    const std::int64_t span = chart->viewTo() - chart->viewFrom();

    chart->setFocus();
    QTest::keyClick(chart, Qt::Key_Plus);
    QVERIFY(chart->viewTo() - chart->viewFrom() < span);
    const std::int64_t from = chart->viewFrom();
    QTest::keyClick(chart, Qt::Key_Left);
    QVERIFY(chart->viewFrom() < from);
    QTest::keyClick(chart, Qt::Key_Home);
    QCOMPARE(chart->viewTo() - chart->viewFrom(), span);
    // The wheel zooms in around the mouse; the readings axis never changes.
    const QPoint failedTest = chart->positionOf(1);
    QWheelEvent wheel(failedTest, chart->mapToGlobal(failedTest), {}, {0, 120}, Qt::NoButton, {},
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(chart, &wheel);
    QVERIFY(chart->viewTo() - chart->viewFrom() < span);
    QVERIFY(std::abs(chart->positionOf(1).x() - failedTest.x()) <= 1);

    // A band dragged over an empty stretch shows just its time; a click is no band.
    QTest::keyClick(chart, Qt::Key_Home);
    const QRectF plot = chart->plotArea();
    const int y = static_cast<int>(plot.top()) + 3;
    const QPoint bandStart(static_cast<int>(plot.left()) + 100, y);
    const QPoint bandEnd = bandStart + QPoint(static_cast<int>(plot.width() / 4), 0);
    QTest::mouseClick(chart, Qt::LeftButton, {}, bandStart);
    QCOMPARE(chart->viewTo() - chart->viewFrom(), span);
    QTest::mousePress(chart, Qt::LeftButton, {}, bandStart);
    QTest::mouseMove(chart, bandEnd);
    QTest::mouseRelease(chart, Qt::LeftButton, {}, bandEnd);
    QVERIFY2(std::abs(static_cast<double>(chart->viewTo() - chart->viewFrom()) / span - 0.25) <
                 0.02,
             std::to_string(chart->viewTo() - chart->viewFrom()).c_str());
    // Ctrl and a drag to the right go back in time; the right button widens the time.
    const std::int64_t bandFrom = chart->viewFrom();
    const std::int64_t bandSpan = chart->viewTo() - chart->viewFrom();
    QTest::mousePress(chart, Qt::LeftButton, Qt::ControlModifier, bandStart);
    QTest::mouseMove(chart, bandStart + QPoint(100, 0));
    QTest::mouseRelease(chart, Qt::LeftButton, Qt::ControlModifier, bandStart + QPoint(100, 0));
    QVERIFY(chart->viewFrom() < bandFrom);
    QCOMPARE(chart->viewTo() - chart->viewFrom(), bandSpan);
    QTest::mouseClick(chart, Qt::RightButton, {}, bandStart);
    QVERIFY(chart->viewTo() - chart->viewFrom() > bandSpan);
    QTest::keyClick(chart, Qt::Key_Home);

    QSignalSpy hovered(chart, &TimelineView::eventHovered);
    QTest::mouseMove(chart, chart->positionOf(1));
    QTRY_COMPARE(hovered.count(), 1);
    QCOMPARE(hovered.at(0).at(0).toString(),
             QStringLiteral("2   2026-03-01 06:01:00   Breathing test Failed  0.090 %BAC"));
}

// Events stand where their printed time puts them, whatever the PC's clock did at
// that time (Berlin skips 02:00 to 03:00 on 2026-03-29 and goes through it twice on
// 2026-10-25), and the mouse finds each of them there.
void ReviewWindowTest::chartPlacesEventsByTheirPrintedTime() {
    ScratchFolder folder("review-zone");
    testing::ServedLog served;
    using testing::event;
    served.events = {
        event(2026, 3, 29, 1, 30, 0, 0x10, 20),  event(2026, 3, 29, 2, 30, 0, 0x10, 40),
        event(2026, 3, 29, 3, 30, 0, 0x10, 60),  event(2026, 10, 25, 1, 40, 0, 0x10, 30),
        event(2026, 10, 25, 2, 20, 0, 0x10, 50), event(2026, 10, 25, 2, 40, 0, 0x10, 70)};
    const fs::path file = folder.path / "261025-030000-AB12.csv";
    std::ofstream(file, std::ios::binary) << testing::writtenExport(served);

    const ScopedTimeZone berlin("Europe/Berlin");
    RecordingPrompter prompter;
    CLog_Review window(prompter);
    QVERIFY(opensFilled(window, file));
    TimelineView* chart = window.timelineView();
    const Timeline& timeline = window.timeline();
    for (const std::uint32_t first : {0u, 3u}) {
        chart->showRange(timeline.pointOf(first).seconds - 600,
                         timeline.pointOf(first + 2).seconds + 600);
        const int x0 = chart->positionOf(first).x();
        const int x1 = chart->positionOf(first + 1).x();
        const int x2 = chart->positionOf(first + 2).x();
        QVERIFY2(x0 < x1 && x1 < x2,
                 qPrintable(QStringLiteral("%1 %2 %3").arg(x0).arg(x1).arg(x2)));
        for (std::uint32_t e = first; e < first + 3; ++e)
            QCOMPARE(chart->eventAt(chart->positionOf(e)), std::optional<std::uint32_t>(e));
    }
}

void ReviewWindowTest::reportIsWrittenAsPdfOrItsFailureShown() {
    ScratchFolder folder("review-report");
    SavingPrompter prompter;
    CLog_Review window(prompter);
    QVERIFY(opensFilled(window, writeKnownLog(folder.path)));

    prompter.savePath = (folder.path / "report").string(); // the extension is added
    window.saveReportButton()->click();
    QCOMPARE(prompter.offered, (folder.path / "260301-090000-AB12.pdf").string());
    const std::string pdf = fileContents(folder.path / "report.pdf");
    QVERIFY(pdf.starts_with("%PDF-"));
    QVERIFY2(pdf.size() > 20000, std::to_string(pdf.size()).c_str());
    // The summary and the chart on one page, the violations on the next.
    const std::size_t pages = pdf.find("/Count ");
    QVERIFY(pages != std::string::npos);
    QVERIFY2(pdf.compare(pages, 9, "/Count 2\n") == 0, pdf.substr(pages, 12).c_str());
    QCOMPARE(folder.files().size(), std::size_t{2}); // no temporary file stays behind
    QVERIFY(prompter.messages.isEmpty());

    // The report's chart, drawn apart from the window, shows the failed tests.
    const QImage chart = timelinePicture(window.log(), window.timeline(), QSize(800, 400));
    int red = 0;
    for (int y = 0; y < chart.height(); ++y) {
        for (int x = 0; x < chart.width(); ++x)
            red += chart.pixelColor(x, y) == QColor(0xD0, 0x10, 0x10);
    }
    QVERIFY2(red > 20, std::to_string(red).c_str());

    // Cancelled: nothing happens. Unwritable: the reason, and no file.
    prompter.savePath.clear();
    window.saveReportButton()->click();
    QVERIFY(prompter.messages.isEmpty());
    prompter.savePath = (folder.path / "missing" / "report.pdf").string();
    window.saveReportButton()->click();
    QCOMPARE(prompter.messages, QStringList{QStringLiteral("The report could not be saved.")});
    QVERIFY(!prompter.details.front().isEmpty());
    QCOMPARE(folder.files().size(), std::size_t{2});
}

void ReviewWindowTest::damagedOrMissingFilesAreRefusedAndEmptyOnesShown() {
    ScratchFolder folder("review-damaged");
    const fs::path good = writeKnownLog(folder.path);
    std::string text = fileContents(good);
    text.replace(text.find("test Passed"), 11, "test Pased");
    const fs::path damaged = folder.path / "damaged.csv";
    std::ofstream(damaged, std::ios::binary) << text;

    RecordingPrompter prompter;
    {
        CLog_Review window(prompter);
        window.show();
        QSignalSpy failed(&window, &CLog_Review::readFailed);
        QVERIFY(window.open(damaged));
        QTRY_COMPARE(failed.count(), 1);
        QVERIFY(!window.isVisible());
        QVERIFY(!window.isFilled());
    }
    QCOMPARE(prompter.messages,
             QStringList{QStringLiteral("Line 20 of damaged.csv could not be read: the event "
                                        "text is not one the program writes.")});

    CLog_Review missing(prompter);
    QVERIFY(!missing.open(folder.path / "gone.csv"));
    QCOMPARE(prompter.messages.last(),
             QStringLiteral("gone.csv could not be read: No such file or directory."));

    // A read that found no event leaves an empty file: it is no damage.
    std::ofstream(folder.path / "empty.csv").flush();
    CLog_Review empty(prompter);
    QVERIFY(opensFilled(empty, folder.path / "empty.csv"));
    QCOMPARE(field(empty, "Events"), QStringLiteral("none: the log was empty when it was read"));
    QCOMPARE(empty.eventModel()->rowCount(), 0);
    QCOMPARE(prompter.messages.size(), 2);
}

QTEST_MAIN(ReviewWindowTest)
#include "review_window_test.moc"
