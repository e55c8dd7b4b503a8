// FIRMWARE UPDATE against interlock-sim over a pseudo-terminal, offscreen: from the
// menu and in firmware-update mode at connect.
#include "app/main_menu_page.h"
#include "app/pc_connect_page.h"
#include "connected_program.h"
#include "firmware/firmware_pages.h"
#include "firmware/firmware_update_page.h"
#include "page_fixture.h"
#include "page_script.h"
#include "simulated_unit.h"
#include "when_modal.h"

#include <QCheckBox>
#include <QTemporaryDir>
#include <QTest>

#include <fstream>
#include <iterator>

using namespace interlock;
using namespace interlock::testing;
namespace fs = std::filesystem;

namespace {
using Bytes = std::vector<std::uint8_t>;
constexpr int kAnswerTimeoutMs = 10000;

// An image whose groups all differ, written to `path`.
Bytes writeImage(const fs::path& path, std::size_t size) {
    Bytes image(size);
    for (std::size_t i = 0; i < size; ++i)
        image[i] = static_cast<std::uint8_t>(i * 7 + i / 251);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(size));
    return image;
}

Bytes readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

CFirmware_Update* openUpdatePage() {
    return qobject_cast<CFirmware_Update*>(QApplication::activeModalWidget());
}
} // namespace

class FirmwarePageTest : public QObject {
    Q_OBJECT
  private slots:
    void updateFromTheMenuStreamsTheImageThenThePageAndTheMenuClose();
    void firmwareUpdateModeServesALoaderAlreadyWaiting();
    void pageCanBeLeftAfterATransferCameToNothing();
};

void FirmwarePageTest::updateFromTheMenuStreamsTheImageThenThePageAndTheMenuClose() {
    ScratchFolder folder("firmware-menu");
    const fs::path received = folder.path / "received.bin";
    const Bytes image = writeImage(folder.path / "new.bin", 64 * 1024);
    ConnectedProgram link;
    QVERIFY2(
        link.start({"--no-pacing", "--new-firmware", "4.5", "--firmware-out", received.string()}),
        link.sim.error().c_str());
    registerFirmwarePages(link.program);
    link.prompter.openChoice = (folder.path / "new.bin").string();
    ProgramState& state = link.program.state();
    state.logDeleted = true; // the log was deleted in this connection
    CMain_Part2 menu(link.program, nullptr);
    menu.show();
    QTRY_VERIFY(state.infoSeen);
    QPushButton* update = menu.button(MenuCommand::Part2FirmwareUpdate);
    QVERIFY(update->isEnabled());

    bool checked = false;
    whenModal<CFirmware_Update>([&](CFirmware_Update* page) {
        QCOMPARE(page->windowTitle(), QStringLiteral("FIRMWARE UPDATE"));
        QVERIFY(!page->defaultWriteButton()->isVisible());
        QCOMPARE(page->percentLabel()->text(), QStringLiteral("0%"));
        QCOMPARE(page->percentLabel()->font().pixelSize(), 30);
        page->okButton()->click();
        QVERIFY(!page->okButton()->isEnabled() && !page->cancelButton()->isEnabled());
        QTest::keyClick(page, Qt::Key_Escape); // the loader is listened to: no way out
        QVERIFY(page->isVisible());
        QTRY_COMPARE_WITH_TIMEOUT(page->percentLabel()->text(), QStringLiteral("WAIT"),
                                  kAnswerTimeoutMs);
        QCOMPARE(page->progressBar()->value(), 100);
        checked = true;
    });
    update->click(); // returns when the page has closed on the interlock's answer
    QVERIFY(checked);
    QVERIFY(!menu.isVisible()); // the menu closed after it
    QVERIFY(readFile(received) == image);
    QCOMPARE(state.info.version(), 0x0405u);
    QCOMPARE(link.prompter.openFilters,
             QStringList{QStringLiteral("Firmware (*.bin);;All files (*)")});
    QVERIFY(link.prompter.messages.isEmpty());
    QVERIFY(!state.fwReceiveMode);
}

void FirmwarePageTest::firmwareUpdateModeServesALoaderAlreadyWaiting() {
    ScratchFolder folder("firmware-mode");
    const fs::path received = folder.path / "received.bin";
    const Bytes image = writeImage(folder.path / "new.bin", 16 * 1024);
    PageFixture fixture;
    sim::SimProcess sim;
    QVERIFY2(sim.start({"--loader-waiting", "--firmware-out", received.string()}),
             sim.error().c_str());
    const auto window = fixture.openWindow({sim.portPath()});
    window->findChild<QCheckBox*>()->setChecked(true);
    const ProgramState& state = window->program().state();
    fixture.prompter.openChoice = (folder.path / "new.bin").string();

    PageScript script(30000);
    script
        .then<CPC_Connect_Dlg>(connectTo(QString::fromStdString(sim.portPath())))
        // Main PART2 opens at once and its FIRMWARE UPDATE page comes up first; it
        // cannot be closed while it streams.
        .then<CFirmware_Update>(
            [](CFirmware_Update& page) {
                QVERIFY(!page.okButton()->isEnabled() && !page.cancelButton()->isEnabled());
                QTest::keyClick(&page, Qt::Key_Escape);
                QVERIFY(!page.close());
                QVERIFY(page.isVisible());
            },
            [] { return openUpdatePage() && openUpdatePage()->update().streaming(); })
        .then<CMain_Part2>([](CMain_Part2& menu) { menu.reject(); },
                           [&state] { return state.closeMenuRequest; })
        .then<CPC_Connect_Dlg>([](CPC_Connect_Dlg& page) { page.reject(); });
    PageFixture::logIn(*window, QStringLiteral("tech"), QStringLiteral("secret"));
    QVERIFY2(script.finished(), qPrintable(script.failure()));
    QVERIFY(fixture.prompter.messages.isEmpty());
    QCOMPARE(fixture.prompter.openFilters.size(), 1);
    QVERIFY(readFile(received) == image);
}

void FirmwarePageTest::pageCanBeLeftAfterATransferCameToNothing() {
    ScratchFolder folder("firmware-stopped");
    writeImage(folder.path / "new.bin", 64 * 1024);
    ConnectedProgram link;
    // At the line rate the image takes seconds; the loader says "Ready" whenever the
    // line has been quiet for a second.
    QVERIFY2(link.start({"--loader-waiting"}), link.sim.error().c_str());
    registerFirmwarePages(link.program);
    CFirmware_Update page(link.program, nullptr);
    page.show();
    page.okButton()->click();
    QTest::keyClick(&page, Qt::Key_Escape); // the loader may still answer: no way out
    QVERIFY(page.isVisible() && !page.cancelButton()->isEnabled());

    // The file dialog is cancelled: CANCEL is offered, and the loader still listened to.
    QTRY_COMPARE_WITH_TIMEOUT(link.prompter.openFilters.size(), 1, kAnswerTimeoutMs);
    QVERIFY(page.cancelButton()->isEnabled() && !page.okButton()->isEnabled());
    link.prompter.openChoice = (folder.path / "new.bin").string();
    QTRY_VERIFY_WITH_TIMEOUT(page.update().streaming(), kAnswerTimeoutMs);
    QVERIFY(!page.cancelButton()->isEnabled());

    // The line drops mid-stream: the page says so and may be left.
    QTRY_VERIFY_WITH_TIMEOUT(page.progressBar()->value() >= 10, kAnswerTimeoutMs);
    link.sim.stop();
    QTRY_VERIFY_WITH_TIMEOUT(page.cancelButton()->isEnabled(), kAnswerTimeoutMs);
    QCOMPARE(page.percentLabel()->text(), QStringLiteral("FAIL"));
    QTRY_VERIFY(link.prompter.messages.filter(QStringLiteral("firmware update stopped")).size() ==
                1);
    QTest::keyClick(&page, Qt::Key_Escape);
    QVERIFY(!page.isVisible());
}

int main(int argc, char* argv[]) {
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    QApplication app(argc, argv);
    FirmwarePageTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "firmware_page_test.moc"
