// The calibration and diagnostics pages against interlock-sim over a pseudo-terminal:
// a calibration to its result and the program's close, a check and a later stalled
// download, the altitude box, the Time Check and live diagnostics.
#include "app/main_menu_page.h"
#include "calib/altitude.h"
#include "calib/calibration_main_page.h"
#include "calib/calibration_message_page.h"
#include "calib/calibration_time_page.h"
#include "calib/diagnostic_pages.h"
#include "calib/dry_gas_page.h"
#include "connected_program.h"
#include "link/frame.h"
#include "log/download_page.h"
#include "recording_channel.h"
#include "simulated_unit.h"
#include "time_zone.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace interlock;
using namespace interlock::testing;

namespace {
constexpr int kCalibrationMs = 30000;
const QString kSuccess = QStringLiteral("The calibration has been successfully completed");
const QString kFailure = QStringLiteral("The calibration hasn't been successfully completed");

Bytes frame(std::uint8_t code, const Bytes& payload = {}) {
    Bytes out(payload.size() + kFrameOverhead);
    out.resize(buildFrame(code, payload, out));
    return out;
}

std::vector<QString> dryGasTexts(const QWidget* page) {
    const auto* dryGas = qobject_cast<const CCalibration_DryGas*>(page);
    if (!dryGas)
        return {};
    return {dryGas->firstResult()->text(), dryGas->secondResult()->text(),
            dryGas->checkResult()->text()};
}

// Holds once `ms` have passed since it was first asked.
std::function<bool()> waited(int ms) {
    auto clock = std::make_shared<QElapsedTimer>();
    return [clock, ms] {
        if (!clock->isValid())
            clock->start();
        return clock->elapsed() >= ms;
    };
}

// Starts the calibration at 1000 m on the DRY GAS page.
void startAtOneThousandMetres(CCalibration_DryGas& page) {
    QCOMPARE(dryGasTexts(&page), (std::vector<QString>{"WAIT", "WAIT", "WAIT"}));
    page.altitudeEdit()->selectAll();
    QTest::keyClicks(page.altitudeEdit(), QStringLiteral("1000"));
    clickLater(page.startButton());
}

// Connects, opens Main PART2 and from it the calibration menu; `press` picks the entry.
PageScript& toCalibrationMenu(PageScript& script, const ProgramState& state,
                              QPushButton* (CCalibration_Main::*press)() const) {
    return script.then<CPC_Connect_Dlg>(connectLater)
        .then<CMain_Part2>(
            [](CMain_Part2& menu) { clickLater(menu.button(MenuCommand::Part2Calibration)); },
            infoRead(state))
        .then<CCalibration_Main>([press](CCalibration_Main& menu) { clickLater((menu.*press)()); });
}

// The calibration menu and its pages over a program connected to interlock-sim.
struct CalibrationMenu {
    ConnectedProgram link;
    std::string lastAltitude;
    std::unique_ptr<CCalibration_Main> menu;

    bool start(const std::vector<std::string>& simArgs) {
        if (!link.start(simArgs))
            return false;
        menu = std::make_unique<CCalibration_Main>(link.program, lastAltitude, nullptr);
        menu->show();
        return true;
    }
    ProgramState& state() { return link.program.state(); }
};
} // namespace

class CalibPagesTest : public QObject {
    Q_OBJECT
  private slots:
    void calibrationReachesItsResultAndClosesTheProgram();
    void failedCalibrationIsShownInRedAndTheTimerGoesOn();
    void checkClosesBothMenusAndALaterStalledDownloadStillFails();
    void altitudeBoxTakesDigitsOnlyAndRefusesAboveTheLimit();
    void timeCheckShowsLocalTimeAndRecordsInUtc();
    void diagnosticsShowTheUnitAndCarryTheSoundBox();
};

void CalibPagesTest::calibrationReachesItsResultAndClosesTheProgram() {
    SimulatedUnit unit;
    QVERIFY(unit.start({"--cal-step-ms", "20"}));
    const ProgramState& state = unit.state();
    PageScript script(kCalibrationMs);
    toCalibrationMenu(script, state, &CCalibration_Main::calibrationButton)
        .then<CCalibration_DryGas>(startAtOneThousandMetres)
        .then<CCalibration_Message>([&](CCalibration_Message& result) {
            const std::vector<QString> texts = dryGasTexts(result.parentWidget());
            QCOMPARE(texts.size(), std::size_t{3});
            QCOMPARE(texts[0], QStringLiteral("OK"));
            QCOMPARE(texts[1], QStringLiteral("OK"));
            QVERIFY2(texts[2].endsWith(QStringLiteral(" : OK")), qPrintable(texts[2]));
            QVERIFY(result.resultText()->text().startsWith(kSuccess));
            QCOMPARE(result.resultText()->palette().color(QPalette::WindowText), QColor(Qt::blue));
            QCOMPARE(state.calRequest.pressure(), 898);
            clickLater(result.okButton());
        });
    // Should the program stay, the test ends all the same and says so.
    bool stayed = false;
    QTimer::singleShot(kCalibrationMs, &unit.window->connectPage(), [&stayed, &unit] {
        stayed = unit.window->connectPage().isVisible();
        unit.window->connectPage().reject();
    });
    unit.logIn();
    QVERIFY2(script.finished(), qPrintable(script.failure()));
    QVERIFY(!stayed);
    // Every page closed behind the result page, and the program with them.
    QVERIFY(!unit.window->isVisible());
    QCOMPARE(unit.window->result(), int(QDialog::Accepted));
    QVERIFY(!unit.window->program().channel().isOpen());
    QVERIFY(unit.fixture.prompter.messages.isEmpty());
}

void CalibPagesTest::failedCalibrationIsShownInRedAndTheTimerGoesOn() {
    CalibrationMenu calibration;
    QVERIFY2(
        calibration.start({"--no-pacing", "--cal-outcome", "fail-first", "--cal-step-ms", "20"}),
        calibration.link.sim.error().c_str());
    PageScript script(kCalibrationMs);
    script.then<CCalibration_DryGas>(startAtOneThousandMetres)
        .then<CCalibration_Message>([](CCalibration_Message& result) {
            const std::vector<QString> texts = dryGasTexts(result.parentWidget());
            QCOMPARE(texts.at(0), QStringLiteral("FAIL"));
            QVERIFY2(texts.at(2).endsWith(QStringLiteral(" : OK")), qPrintable(texts.at(2)));
            QVERIFY(result.resultText()->text().startsWith(kFailure));
            QCOMPARE(result.resultText()->palette().color(QPalette::WindowText), QColor(Qt::red));
            result.reject(); // closed without "O K": the menus close all the same
        });
    calibration.menu->calibrationButton()->click();
    QVERIFY2(script.finished(), qPrintable(script.failure()));
    QVERIFY(!calibration.menu->isVisible());
    QVERIFY(calibration.state().closeMenuRequest);
    QVERIFY(calibration.state().closeProgramRequest);

    // The main timer kept running through the verdict and the result page.
    calibration.state().messageCountdown = 2;
    QTRY_VERIFY(calibration.link.prompter.saw("Event Read Complete"));
}

void CalibPagesTest::checkClosesBothMenusAndALaterStalledDownloadStillFails() {
    QTemporaryDir exports;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(exports.path());
    SimulatedUnit unit;
    QVERIFY(unit.start({"--cal-step-ms", "20", "--log-count", "100", "--stall-log", "300"}, true));
    const ProgramState& state = unit.state();
    PageScript script(kCalibrationMs);
    toCalibrationMenu(script, state, &CCalibration_Main::checkButton)
        // The check starts by itself; its verdict outlives the result page's tick
        // without a result page, and closing the page closes both menus.
        .then<CCalibration_DryGas>(
            [&](CCalibration_DryGas& page) {
                QVERIFY(!page.startButton()->isEnabled());
                QCOMPARE(dryGasTexts(&page).at(0), QString());
                QVERIFY(dryGasTexts(&page).at(2).endsWith(QStringLiteral(" : OK")));
                QCOMPARE(state.calRequest.mode(), 3);
                page.reject();
            },
            [&state] { return state.calVerdictTicks >= 17; })
        // The interlock was told that the calibration has ended: it restarts first.
        .then<CPC_Connect_Dlg>(connectLater, waited(1000))
        .then<CMain_Part2>(
            [](CMain_Part2& menu) { clickLater(menu.button(MenuCommand::Part2Download)); },
            infoRead(state, 2))
        .then<CDownLoad_Part2>([](CDownLoad_Part2& page) { clickLater(page.readLogButton()); })
        .then<CDownLoad_Part2>(
            [](CDownLoad_Part2& page) {
                QVERIFY(!page.download().running());
                page.reject();
            },
            [&unit] {
                return unit.fixture.prompter.saw(
                    "Failure to download log data. Please check the connections and try again.");
            })
        .then<CMain_Part2>([](CMain_Part2& menu) { menu.reject(); })
        .then<CPC_Connect_Dlg>([](CPC_Connect_Dlg& page) { page.reject(); });
    unit.logIn();
    QDir::setCurrent(previous);
    QVERIFY2(script.finished(), qPrintable(script.failure()));
    QVERIFY(QDir(exports.path()).isEmpty(QDir::Files)); // the failed export was removed
    QVERIFY(!unit.fixture.prompter.saw("Event Read Complete"));
}

void CalibPagesTest::altitudeBoxTakesDigitsOnlyAndRefusesAboveTheLimit() {
    RecordingPrompter prompter;
    RecordingPauser pauser;
    Program program(prompter, &pauser);
    RecordingChannel channel;
    program.state().link.setChannel(&channel);
    std::string lastAltitude;
    {
        CCalibration_DryGas page(program, DryGasMode::Calibrate, lastAltitude, nullptr);
        page.show();
        QLineEdit* altitude = page.altitudeEdit();
        QCOMPARE(altitude->text(), QStringLiteral("0"));
        altitude->clear();
        QTest::keyClicks(altitude, QStringLiteral("12.5"));
        QCOMPARE(altitude->text(), QStringLiteral("5"));
        altitude->clear();
        QTest::keyClicks(altitude, QStringLiteral("10000"));
        page.startButton()->click();
        QCOMPARE(prompter.messages, QStringList{QString::fromUtf8(kAltitudeMessage.data())});
        QCOMPARE(altitude->text(), QString());
        QVERIFY(page.startButton()->isEnabled() && altitude->isEnabled());
        QVERIFY(channel.writes.empty());

        QTest::keyClicks(altitude, QStringLiteral("1000"));
        page.startButton()->click();
        QCOMPARE(channel.writes, std::vector<Bytes>{frame(0x5D, {1, 0x82, 0x03})});
        QVERIFY(!page.startButton()->isEnabled() && !altitude->isEnabled());
        page.reject();
        QCOMPARE(channel.writes.back(), frame(0x84));
    }
    // A check starts at once at the altitude last typed (the menus closed after the
    // page above, and the PC Connect page cleared their close request).
    program.state().closeMenuRequest = false;
    channel.writes.clear();
    CCalibration_DryGas check(program, DryGasMode::Check, lastAltitude, nullptr);
    check.show();
    QCOMPARE(check.altitudeEdit()->text(), QStringLiteral("1000"));
    QTRY_COMPARE(channel.writes, std::vector<Bytes>{frame(0x5D, {3, 0x82, 0x03})});
}

void CalibPagesTest::timeCheckShowsLocalTimeAndRecordsInUtc() {
    ScopedTimeZone zone("JST-9");
    CalibrationMenu calibration;
    // Last service 2016-12-31 23:30 UTC, an extra service, override 300 h, PIN 1234.
    QVERIFY2(calibration.start({"--no-pacing", "--service", "100c1f171e02002c0101020304"}),
             calibration.link.sim.error().c_str());
    const Bytes held{16, 12, 31, 23, 30, 2, 0, 0x2C, 0x01, 1, 2, 3, 4};
    PageScript script;
    script.then<CCalibration_Time>([](CCalibration_Time& page) {
        QCOMPARE(page.timeField()->text(), QStringLiteral("17-01-01 08:30"));
        clickLater(page.extraServiceButton());
    });
    calibration.menu->timeCheckButton()->click();
    QVERIFY2(script.finished(), qPrintable(script.failure()));
    const Te_Service_t& service = calibration.state().service;
    QCOMPARE(Bytes(service.bytes.begin(), service.bytes.end()), held);

    // What the interlock now holds is the time it had: still UTC.
    calibration.state().service = {};
    calibration.link.program.requester().read(0x45);
    QTRY_COMPARE(Bytes(service.bytes.begin(), service.bytes.end()), held);
    QVERIFY(calibration.menu->isVisible());
}

void CalibPagesTest::diagnosticsShowTheUnitAndCarryTheSoundBox() {
    ScopedTimeZone zone("XXX1"); // one hour behind UTC
    ConnectedProgram link;
    QVERIFY2(
        link.start({"--no-pacing", "--counters", "3,4,5,1,9", "--clock", "2026-01-01 00:30:00"}),
        link.sim.error().c_str());
    ProgramState& state = link.program.state();
    state.identity.set_Part_type_f(1);
    {
        CDiagnostic_Part1 page(link.program, nullptr);
        page.show();
        QCOMPARE(page.dateField()->text(), QStringLiteral("16/12/31"));
        QTRY_VERIFY(page.dateField()->text().startsWith(QStringLiteral("25 / 12 / 31  23:30:")));
        QCOMPARE(page.bypassField()->text(), QStringLiteral("1"));
        QCOMPARE(page.noPowerField()->text(), QStringLiteral("9"));
        QCOMPARE(page.retestRefuseField()->text(), QStringLiteral("3"));
        QCOMPARE(page.retestFailField()->text(), QStringLiteral("4"));
        QCOMPARE(page.startFailField()->text(), QStringLiteral("5"));
        const QRegularExpression volts(QStringLiteral("^1[23]\\.\\dV$"));
        QVERIFY2(volts.match(page.controlUnitSupplyField()->text()).hasMatch(),
                 qPrintable(page.controlUnitSupplyField()->text()));
        QVERIFY2(volts.match(page.handsetSupplyField()->text()).hasMatch(),
                 qPrintable(page.handsetSupplyField()->text()));
        QVERIFY(page.gSensorField()->text().toInt() > 500);

        // The unit reports the switches it was sent: the sound goes with each request
        // while its box is checked.
        page.soundBox()->setChecked(true);
        QTRY_COMPARE(state.diagnosis.u8(11), 1);
        QCOMPARE(state.diagnosis.u8(12), 0);
        page.soundBox()->setChecked(false);
        QTRY_COMPARE(state.diagnosis.u8(11), 0);
        page.soundBox()->setChecked(true);
        QTRY_COMPARE(state.diagnosis.u8(11), 1);
        page.reject();
        QCOMPARE(state.diagnosisControl, (std::array<std::uint8_t, 2>{0, 0}));
    }

    // PART 2: the handset has no clock to show; closing keeps the switches.
    state.identity.set_Part_type_f(2);
    state.identity.set_DUT(ENUM_DUT_HANDSET);
    CDiagnostic_Part2 page(link.program, nullptr);
    page.show();
    page.soundBox()->setChecked(true);
    QTRY_COMPARE(page.dateField()->text(), QStringLiteral("0 / 0 / 0  0:0:0"));
    QTest::keyClick(&page, Qt::Key_Return);
    QVERIFY(page.isVisible());
    page.reject();
    QCOMPARE(state.diagnosisControl, (std::array<std::uint8_t, 2>{1, 0}));
}

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    CalibPagesTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "calib_pages_test.moc"
