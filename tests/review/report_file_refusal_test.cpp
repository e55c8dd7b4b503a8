// A PDF report that cannot be written whole: a read-only folder, a full disk and a
// FIFO of the chosen name, made the POSIX way. The old report stays, nothing is left
// behind, and the reason is named.
#include "child_process.h"
#include "review/report_writer.h"
#include "scratch_folder.h"

#include <QImage>
#include <QTest>

#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <fstream>

using namespace interlock::review;
using namespace interlock::testing;
namespace fs = std::filesystem;

class ReportFileRefusalTest : public QObject {
    Q_OBJECT
  private slots:
    void aReportThatCannotBeWrittenWholeKeepsTheOldOne();
};

// A read-only folder (permission bits bind a child without the override
// capabilities), a full disk (the file size limit fails the writes the same way) and
// a FIFO (or a device such as /dev/full), which is named, not replaced.
void ReportFileRefusalTest::aReportThatCannotBeWrittenWholeKeepsTheOldOne() {
    ScratchFolder folder("review-report-fail");
    const fs::path report = folder.path / "report.pdf";
    std::ofstream(report) << "old report";
    QImage chart(400, 300, QImage::Format_RGB32);
    for (int y = 0; y < chart.height(); ++y) {
        for (int x = 0; x < chart.width(); ++x)
            chart.setPixel(x, y, static_cast<QRgb>(x * 7919u + y * 104729u));
    }
    const auto write = [&](const fs::path& path) {
        return writePdfReport(QString::fromStdString(path.string()),
                              QStringLiteral("<p>Summary</p><img src=\"chart\">"),
                              QStringLiteral("chart"), chart)
            .toStdString();
    };
    fs::permissions(folder.path, fs::perms::owner_read | fs::perms::owner_exec);
    const std::string readOnly = runInChild([&] {
        return obeyFilePermissions() ? write(report) : std::string("no privileges dropped");
    });
    fs::permissions(folder.path, fs::perms::owner_all);
    const std::string full = runInChild([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit small{4096, RLIM_INFINITY};
        return ::setrlimit(RLIMIT_FSIZE, &small) == 0 ? write(report) : std::string("no limit set");
    });
    QVERIFY2(readOnly.find("Permission denied") != std::string::npos, readOnly.c_str());
    QVERIFY2(full.find("too large") != std::string::npos, full.c_str());
    QCOMPARE(fileContents(report), std::string("old report"));

    const fs::path pipe = folder.path / "pipe.pdf";
    QCOMPARE(::mkfifo(pipe.c_str(), 0600), 0);
    const std::string fifo = write(pipe);
    QVERIFY2(fifo.find("it is a FIFO (named pipe), not a file") != std::string::npos, fifo.c_str());
    QVERIFY(fs::is_fifo(pipe));
    QCOMPARE(folder.files().size(), std::size_t{2});
}

QTEST_MAIN(ReportFileRefusalTest)
#include "report_file_refusal_test.moc"
