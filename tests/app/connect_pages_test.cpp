// PC Connect against the simulated interlock on a pseudo-terminal, up to the page
// its answer asks for.
#include "app/main_menu_page.h"
#include "app/pc_connect_page.h"
#include "app/software_change_page.h"
#include "firmware/firmware_check_page.h"
#include "recording_prompter.h"
#include "simulated_unit.h"

#include <QApplication>
#include <QTest>

using namespace interlock;

namespace {
// Checks the look of Main PART2 on a fresh connection, then closes it.
void checkMainPart2(CMain_Part2& menu, const ProgramState& state) {
    QCOMPARE(menu.windowTitle(), QStringLiteral("Main PART2"));
    QCOMPARE(menu.button(MenuCommand::Part2Download)->text(), QStringLiteral("DOWNLOAD"));
    QVERIFY(!menu.button(MenuCommand::Part2FirmwareUpdate)->isEnabled());
    QCOMPARE(state.identity.Part_type_f(), 2);
    menu.reject();
}
} // namespace

class ConnectPagesTest : public QObject {
    Q_OBJECT
  private slots:
    void part1UnitIsChangedToPart2AndReconnects();
    void portThatCannotBeOpenedIsReported();
    void otherFirmwareShowsTheVersionNoticeOncePerRun();
    void portListFollowsAdaptersPluggedAndPulled();
};

void ConnectPagesTest::part1UnitIsChangedToPart2AndReconnects() {
    SimulatedUnit unit;
    QVERIFY(unit.start({"--part", "1"}));
    const ProgramState& state = unit.state();
    PageScript script;
    script.then<CPC_Connect_Dlg>(connectTo(unit.port))
        .then<CSoftware_Change>([&](CSoftware_Change& page) {
            page.codeEdit()->setText(QStringLiteral("SWCQXZ402715"));
            clickLater(buttonWithText(page, QStringLiteral("OK")));
        })
        .then<CPC_Connect_Dlg>([&](CPC_Connect_Dlg& page) {
            // The page gave the interlock its time after the write before it closed.
            const auto& waits = unit.fixture.pauser.waits;
            QVERIFY(!waits.empty());
            QVERIFY((waits.back() == testing::RecordingPauser::Wait{kSoftwareChangeWaitMs, 0}));
            // Nothing opens by itself after the change; the technician connects again.
            QTest::qWait(100);
            QCOMPARE(QApplication::activeModalWidget(), &page);
            connectTo(unit.port)(page);
        })
        .then<CMain_Part2>([&](CMain_Part2& menu) { checkMainPart2(menu, state); }, infoRead(state))
        .then<CPC_Connect_Dlg>([](CPC_Connect_Dlg& page) { page.reject(); });
    unit.logIn();
    QVERIFY2(script.finished(), qPrintable(script.failure()));
    QVERIFY(unit.fixture.prompter.messages.isEmpty());
}

void ConnectPagesTest::portThatCannotBeOpenedIsReported() {
    PageFixture fixture;
    const QString port = QStringLiteral("/dev/interlock-missing-port");
    auto window = fixture.openWindow({port.toStdString()});
    PageScript script;
    script.then<CPC_Connect_Dlg>([&](CPC_Connect_Dlg& page) {
        QCOMPARE(page.portList()->currentText(), port);
        page.connectButton()->click();
        QCOMPARE(fixture.prompter.messages, QStringList{"Check " + port + " Communication"});
        QVERIFY(!window->program().channel().isOpen());
        QTest::qWait(100);
        QCOMPARE(QApplication::activeModalWidget(), &page);
        page.reject();
    });
    PageFixture::logIn(*window, QStringLiteral("tech"), QStringLiteral("secret"));
    QVERIFY2(script.finished(), qPrintable(script.failure()));
}

void ConnectPagesTest::otherFirmwareShowsTheVersionNoticeOncePerRun() {
    SimulatedUnit unit;
    QVERIFY(unit.start({"--firmware", "4.3"}));
    const ProgramState& state = unit.state();
    PageScript script;
    script.then<CPC_Connect_Dlg>(connectTo(unit.port))
        .then<CFirmware_Check>([](CFirmware_Check& notice) {
            clickLater(buttonWithText(notice, QStringLiteral("O K")));
        })
        .then<CMain_Part2>(
            [&](CMain_Part2& menu) {
                QCOMPARE(state.Log_FW_Check, 0x0403u);
                menu.reject();
            },
            infoRead(state))
        .then<CPC_Connect_Dlg>(connectTo(unit.port))
        .then<CMain_Part2>([](CMain_Part2& menu) { menu.reject(); }, infoRead(state, 2))
        .then<CPC_Connect_Dlg>([](CPC_Connect_Dlg& page) { page.reject(); });
    unit.logIn();
    QVERIFY2(script.finished(), qPrintable(script.failure()));
}

void ConnectPagesTest::portListFollowsAdaptersPluggedAndPulled() {
    testing::RecordingPrompter prompter;
    Program program(prompter);
    CPC_Connect_Dlg page(program, {}, nullptr);
    std::vector<OfferedPort> system{{"/dev/itest-S0", "/dev/itest-S0"},
                                    {"/dev/itest-USB0", "/dev/itest-USB0 — FT232R (FTDI)"}};
    page.setPortSource([&system] { return system; });
    page.fillPorts();
    page.show();
    QComboBox* list = page.portList();
    list->setCurrentIndex(1); // chosen by the program, as a screen reader or a test would

    // A second adapter, listed before the chosen one: the choice stays.
    system.push_back({"/dev/itest-ACM0", "/dev/itest-ACM0 — Pico"});
    emit page.portWatcher().portsMayHaveChanged();
    QTRY_COMPARE_WITH_TIMEOUT(list->count(), 3, 1000);
    QCOMPARE(list->currentText(), QStringLiteral("/dev/itest-USB0 — FT232R (FTDI)"));

    // The chosen adapter is pulled: the first port is chosen, as on opening.
    system.erase(system.begin() + 1);
    emit page.portWatcher().portsMayHaveChanged();
    QTRY_COMPARE_WITH_TIMEOUT(list->count(), 2, 1000);
    QCOMPARE(list->currentText(), QStringLiteral("/dev/itest-ACM0 — Pico"));
    page.connectButton()->click();
    QCOMPARE(prompter.messages, QStringList{"Check /dev/itest-ACM0 Communication"});
}

int runConnectPagesTest(int argc, char* argv[]) {
    ConnectPagesTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "connect_pages_test.moc"
