// The log pages against interlock-sim over a pseudo-terminal: the DOWNLOAD page's
// read into the export file and deleting the log from both menus.
#include "app/main_menu_page.h"
#include "connected_program.h"
#include "download_view.h"
#include "link/codes.h"
#include "log/delete_confirm_page.h"
#include "log/delete_record_page.h"
#include "log/download_page.h"
#include "log/log_pages.h"
#include "recording_channel.h"
#include "recording_pauser.h"
#include "when_modal.h"

#include <QApplication>
#include <QDir>
#include <QTest>

#include <iterator>
#include <regex>

using namespace interlock;
using namespace interlock::testing;
namespace fs = std::filesystem;

namespace {
constexpr int kReadTimeoutMs = 20000;

// The export file the program must write for `served` (every log section as the
// interlock sent it), given the records read before the log.
std::string exportFor(const ProgramState& online, const std::vector<std::uint8_t>& served,
                      std::string_view registration) {
    auto state = std::make_unique<ProgramState>();
    state->info = online.info;
    state->diagnosis = online.diagnosis;
    state->config = online.config;
    state->option = online.option;
    state->Log_FW_Check = online.Log_FW_Check;
    RecordingPauser pauser;
    Requester requester(*state, pauser);
    DownloadView page;
    ScratchFolder folder("expected-export");
    LogDownload download(requester, page, folder.path);
    if (!download.startRead(registration))
        return "(not started)";
    download.onBytes(served);
    return download.running() ? "(incomplete)"
                              : fileContents(folder.path / download.exportFileName());
}

// Makes `folder` the working folder for the life of the object.
struct WorkingFolder {
    QString previous = QDir::currentPath();
    explicit WorkingFolder(const fs::path& folder) {
        QDir::setCurrent(QString::fromStdString(folder.string()));
    }
    ~WorkingFolder() { QDir::setCurrent(previous); }
};

bool readRunsTo(const CDownLoad_Part2& page, int timeoutMs = kReadTimeoutMs) {
    return QTest::qWaitFor([&page] { return !page.download().running(); }, timeoutMs);
}
} // namespace

class DownloadPageTest : public QObject {
    Q_OBJECT
  private slots:
    void readLogWritesTheServedLogIntoTheExportFile();
    void deleteLogFromDownloadMarksTheMenu();
    void deleteRecordCancelKeepsThePageUntilTheLogIsDeleted();
    void refusedDeleteLeavesTheLogFlagClearAndSaysSo();
};

void DownloadPageTest::readLogWritesTheServedLogIntoTheExportFile() {
    ScratchFolder folder("download-export");
    const fs::path served = folder.path / "served.bin";
    const fs::path exports = folder.path / "exports";
    ConnectedProgram link;
    QVERIFY2(link.start({"--no-pacing", "--log-count", "300", "--log-line", "2", "--served-log",
                         served.string()}),
             link.sim.error().c_str());
    runCommandReads(MenuCommand::Part2Download, link.program.requester());
    link.program.requester().read(request::ReadInfo);
    // A loaded machine may answer after the read wait; the read needs every record.
    const auto& answers = link.program.state().answersReceived;
    QTRY_VERIFY(answers[response::TE_DIAGNOSIS] >= 1 && answers[response::TE_CONFIG_DATA] >= 1);
    QTRY_COMPARE(link.program.state().Log_FW_Check, 0x0404u);

    CDownLoad_Part2 page(link.program, exports, nullptr);
    page.show();
    QVERIFY(page.deleteLogButton()->isEnabled());
    page.registrationEdit()->setText(QStringLiteral("AB12"));
    page.readLogButton()->click();
    QVERIFY(page.download().running());
    QVERIFY(!page.readLogButton()->isEnabled());
    QVERIFY(!page.deleteLogButton()->isEnabled());
    QVERIFY(readRunsTo(page));

    const std::string name = page.download().exportFileName();
    QVERIFY2(std::regex_match(name, std::regex(R"(\d{6}-\d{6}-AB12\.csv)")), name.c_str());
    const std::vector<fs::path> left{fs::directory_iterator(exports), {}};
    QCOMPARE(left.size(), std::size_t{1}); // no temporary file stays behind
    QCOMPARE(left.front().filename().string(), name);
    const std::string file = fileContents(exports / name);
    const std::string servedBytes = fileContents(served);
    const std::string expected =
        exportFor(link.program.state(),
                  std::vector<std::uint8_t>(servedBytes.begin(), servedBytes.end()), "AB12");
    QCOMPARE(file.size(), expected.size());
    QVERIFY(file == expected);

    // The view shows the same event lines as the file.
    const std::regex eventLine(R"(\d+ :\t )");
    const auto lines = std::distance(std::sregex_iterator(file.begin(), file.end(), eventLine), {});
    QVERIFY2(lines > 200, std::to_string(lines).c_str());
    page.logView()->flush();
    const QString shown = page.logView()->toPlainText();
    QCOMPARE(shown.count(QRegularExpression(QStringLiteral("^\\d+ :\\t "),
                                            QRegularExpression::MultilineOption)),
             lines);

    QVERIFY(!page.readLogButton()->isEnabled());
    QVERIFY(page.deleteLogButton()->isEnabled());
    // The bar catches up on the view's next refresh.
    QTRY_COMPARE(page.progressBar()->value(), page.progressBar()->maximum());
    QTRY_VERIFY(link.prompter.saw("Event Read Complete"));
}

void DownloadPageTest::deleteLogFromDownloadMarksTheMenu() {
    ScratchFolder folder("download-delete");
    ConnectedProgram link;
    QVERIFY2(link.start({"--no-pacing", "--log-count", "20"}), link.sim.error().c_str());
    // Pages from the menu write their export files into the working folder.
    const WorkingFolder working(folder.path);
    registerLogPages(link.program);
    link.program.menuPages()[MenuCommand::Part2FirmwareUpdate] = [](QWidget*) {};
    CMain_Part2 menu(link.program, nullptr);
    menu.show();
    QTRY_VERIFY(link.program.state().infoSeen);
    QVERIFY(!menu.button(MenuCommand::Part2FirmwareUpdate)->isEnabled());

    bool cancelKeptPage = false;
    std::string exported;
    whenModal<CDownLoad_Part2>([&cancelKeptPage, &exported](CDownLoad_Part2* page) {
        page->readLogButton()->click();
        if (readRunsTo(*page))
            exported = page->download().exportFileName();
        whenModal<CDelete_Log_Part2>(
            [](CDelete_Log_Part2* confirm) { confirm->cancelButton()->click(); });
        page->deleteLogButton()->click();
        cancelKeptPage = page->isVisible();
        whenModal<CDelete_Log_Part2>(
            [](CDelete_Log_Part2* confirm) { confirm->okButton()->click(); });
        page->deleteLogButton()->click();
    });
    menu.button(MenuCommand::Part2Download)->click();

    QVERIFY(!exported.empty());
    QVERIFY2(fs::exists(folder.path / exported), exported.c_str());
    QVERIFY(fs::file_size(folder.path / exported) > 0);
    QVERIFY(cancelKeptPage);
    QVERIFY(link.program.state().logDeleted);
    QCOMPARE(menu.button(MenuCommand::Part2Download)->text(),
             QStringLiteral("DOWNLOAD\n(delete-done)"));
    QVERIFY(menu.button(MenuCommand::Part2FirmwareUpdate)->isEnabled());

    // The interlock was told: its log now reads empty.
    CDownLoad_Part2 again(link.program, folder.path, nullptr);
    again.show();
    again.readLogButton()->click();
    QVERIFY(readRunsTo(again));
    QTRY_VERIFY(link.prompter.saw("Event Log Read Complete"));
    QVERIFY(!again.deleteLogButton()->isEnabled());
    QCOMPARE(fs::file_size(folder.path / again.download().exportFileName()), 0u);
}

void DownloadPageTest::deleteRecordCancelKeepsThePageUntilTheLogIsDeleted() {
    RecordingPrompter prompter;
    Program program(prompter);
    RecordingChannel channel;
    program.state().link.setChannel(&channel);
    CDelete_Record_Part1 page(program, nullptr);
    page.show();

    whenModal<CDelete_Record_Confirm_Part1>(
        [](CDelete_Record_Confirm_Part1* confirm) { confirm->cancelButton()->click(); });
    page.deleteLogButton()->click();
    QVERIFY(page.isVisible());
    QVERIFY(channel.writes.empty());
    QVERIFY(!program.state().logDeleted);

    whenModal<CDelete_Record_Confirm_Part1>([](CDelete_Record_Confirm_Part1* confirm) {
        // Closing is refused while the interlock is given its time.
        QTimer::singleShot(500, confirm, [confirm] { confirm->reject(); });
        confirm->okButton()->click();
    });
    page.deleteLogButton()->click();
    QVERIFY(!page.isVisible());
    QCOMPARE(page.result(), int(QDialog::Accepted));
    QVERIFY(program.state().logDeleted);
    QCOMPARE(channel.writes.size(), std::size_t{1});

    // Once the log is deleted in this connection, CANCEL also leads back to the menu.
    CDelete_Record_Part1 reopened(program, nullptr);
    reopened.show();
    whenModal<CDelete_Record_Confirm_Part1>(
        [](CDelete_Record_Confirm_Part1* confirm) { confirm->cancelButton()->click(); });
    reopened.deleteLogButton()->click();
    QVERIFY(!reopened.isVisible());
    QCOMPARE(channel.writes.size(), std::size_t{1});
}

void DownloadPageTest::refusedDeleteLeavesTheLogFlagClearAndSaysSo() {
    ConnectedProgram link;
    QVERIFY2(link.start({"--no-pacing", "--refuse", "0x50"}), link.sim.error().c_str());
    CDelete_Record_Part1 page(link.program, nullptr);
    page.show();
    bool offeredAgain = false;
    whenModal<CDelete_Record_Confirm_Part1>([&offeredAgain](CDelete_Record_Confirm_Part1* confirm) {
        confirm->okButton()->click();
        offeredAgain = confirm->isVisible() && confirm->okButton()->isEnabled();
        confirm->cancelButton()->click();
    });
    page.deleteLogButton()->click();
    QVERIFY(offeredAgain);
    QVERIFY(link.prompter.saw("The interlock refused to delete the log."));
    QVERIFY(!link.program.state().logDeleted);
    QVERIFY(page.isVisible());
}

QTEST_MAIN(DownloadPageTest)
#include "download_page_test.moc"
