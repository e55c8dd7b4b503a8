// The calibration and diagnostics pages against interlock-sim over a pseudo-terminal:
// a calibration to its result and the program's close, a check, the altitude box and
// live diagnostics; on a recording channel, an altitude set by assistive technology
// and a Time Check the interlock did not answer.
#include "accessible_input.h"
#include "app/main_menu_page.h"
#include "calib/altitude.h"
#include "calib/calibration_main_page.h"
#include "calib/calibration_message_page.h"
#include "calib/diagnostic_pages.h"
#include "calib/dry_gas_page.h"
#include "connected_program.h"
#include "link/frame.h"
#include "modal_watch.h"
#include "recorded_program.h"
#include "recording_channel.h"
#include "simulated_unit.h"
#include "time_zone.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

using namespace interlock;
using namespace interlock::testing;

namespace {
constexpr int kCalibrationMs = 30000;
const QString kSuccess = QStringLiteral("The calibration has been successfully completed");

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

// Starts the calibration at 1000 m on the DRY GAS page.
void startAtOneThousandMetres(CCalibration_DryGas& page) {
    QCOMPARE(dryGasTexts(&page), (std::vector<QString>{"WAIT", "WAIT", "WAIT"}));
    page.altitudeEdit()->selectAll();
    QTest::keyClicks(page.altitudeEdit(), QStringLiteral("1000"));
    clickLater(page.startButton());
}

// Connects, opens Main PART2 and from it the calibration menu; `press` picks the entry.
PageScript& toCalibrationMenu(PageScript& script, const SimulatedUnit& unit,
                              QPushButton* (CCalibration_Main::*press)() const) {
    const ProgramState& state = unit.state();
    return script.then<CPC_Connect_Dlg>(connectTo(unit.port))
        .then<CMain_Part2>(
            [](CMain_Part2& menu) { clickLater(menu.button(MenuCommand::Part2Calibration)); },
            infoRead(state))
        .then<CCalibration_Main>([press](CCalibration_Main& menu) { clickLater((menu.*press)()); });
}

// On to the DRY GAS page of a calibration, started at 1000 m.
PageScript& toStartedCalibration(PageScript& script, const SimulatedUnit& unit) {
    return toCalibrationMenu(script, unit, &CCalibration_Main::calibrationButton)
        .then<CCalibration_DryGas>(startAtOneThousandMetres);
}

// Logs in, runs `script` to the result page's O K and checks that every page closed
// behind it, and the program with them.
void logInUntilTheProgramCloses(SimulatedUnit& unit, const PageScript& script) {
    // Should the program stay, the test ends all the same and says so.
    bool stayed = false;
    QTimer::singleShot(kCalibrationMs, &unit.window->connectPage(), [&stayed, &unit] {
        stayed = unit.window->connectPage().isVisible();
        unit.window->connectPage().reject();
    });
    unit.logIn();
    QVERIFY2(script.finished(), qPrintable(script.failure()));
    QVERIFY(!stayed);
    QVERIFY(!unit.window->isVisible());
    QCOMPARE(unit.window->result(), int(QDialog::Accepted));
    QVERIFY(!unit.window->program().channel().isOpen());
    QVERIFY(unit.fixture.prompter.messages.isEmpty());
}
} // namespace

class CalibPagesTest : public QObject {
    Q_OBJECT
  private slots:
    void calibrationReachesItsResultAndClosesTheProgram();
    void resultStillOpensWhenDryGasClosedBeforeIt();
    void checkClosesBothMenus();
    void altitudeAboveTheLimitIsRefusedAndACheckStartsAtTheLastOneTyped();
    void diagnosticsShowTheUnitAndCarryTheSoundBox();
    void anAltitudeSetByAssistiveTechnologyIsTheOneACheckStartsAt();
    void timeCheckWithoutAnAnsweredServiceReadOpensNoPage();
};

void CalibPagesTest::calibrationReachesItsResultAndClosesTheProgram() {
    SimulatedUnit unit;
    QVERIFY(unit.start({"--cal-step-ms", "20"}));
    const ProgramState& state = unit.state();
    PageScript script(kCalibrationMs);
    toStartedCalibration(script, unit)
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
    logInUntilTheProgramCloses(unit, script);
}

void CalibPagesTest::resultStillOpensWhenDryGasClosedBeforeIt() {
    SimulatedUnit unit;
    QVERIFY(unit.start({"--cal-step-ms", "20"}));
    const ProgramState& state = unit.state();
    PageScript script(kCalibrationMs);
    toStartedCalibration(script, unit)
        // The technician closes DRY GAS as soon as the verdict is in, before its
        // result page is due: the menus close behind it, PC Connect is left.
        .then<CCalibration_DryGas>([](CCalibration_DryGas& page) { page.reject(); },
                                   [&state] { return state.calVerdict != CalVerdict::None; })
        .then<CCalibration_Message>([&](CCalibration_Message& result) {
            QVERIFY(qobject_cast<CPC_Connect_Dlg*>(result.parentWidget()));
            QVERIFY(result.resultText()->text().startsWith(kSuccess));
            clickLater(result.okButton());
        });
    logInUntilTheProgramCloses(unit, script);
}

void CalibPagesTest::checkClosesBothMenus() {
    SimulatedUnit unit;
    QVERIFY(unit.start({"--cal-step-ms", "20"}));
    const ProgramState& state = unit.state();
    PageScript script(kCalibrationMs);
    toCalibrationMenu(script, unit, &CCalibration_Main::checkButton)
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
        .then<CPC_Connect_Dlg>([](CPC_Connect_Dlg& page) { page.reject(); });
    unit.logIn();
    QVERIFY2(script.finished(), qPrintable(script.failure()));
    QVERIFY(unit.fixture.prompter.messages.isEmpty());
}

void CalibPagesTest::altitudeAboveTheLimitIsRefusedAndACheckStartsAtTheLastOneTyped() {
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
        QTest::keyClicks(altitude, QStringLiteral("10000"));
        page.startButton()->click();
        QCOMPARE(prompter.messages, QStringList{QString::fromUtf8(kAltitudeMessage.data())});
        QCOMPARE(altitude->text(), QString());
        QVERIFY(page.startButton()->isEnabled() && channel.writes.empty());

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
        QVERIFY(page.controlUnitSupplyField()->text().endsWith('V'));
        QVERIFY(page.handsetSupplyField()->text().endsWith('V'));
        QVERIFY(page.gSensorField()->text().toInt() > 0);

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

void CalibPagesTest::anAltitudeSetByAssistiveTechnologyIsTheOneACheckStartsAt() {
    RecordedProgram unit;
    std::string lastAltitude;
    {
        CCalibration_DryGas page(unit.program, DryGasMode::Calibrate, lastAltitude, nullptr);
        page.show();
        QVERIFY(setTextAccessibly(*page.altitudeEdit(), QStringLiteral("1000")));
        page.startButton()->click();
        QCOMPARE(unit.written(0x5D), (Bytes{1, 0x82, 0x03})); // 898 hPa
        page.reject();
    }
    unit.program.state().closeMenuRequest = false;
    CCalibration_DryGas check(unit.program, DryGasMode::Check, lastAltitude, nullptr);
    check.show();
    QCOMPARE(check.altitudeEdit()->text(), QStringLiteral("1000"));
    QTRY_COMPARE(unit.written(0x5D), (Bytes{3, 0x82, 0x03}));
}

void CalibPagesTest::timeCheckWithoutAnAnsweredServiceReadOpensNoPage() {
    RecordedProgram silent;
    std::string lastAltitude;
    CCalibration_Main menu(silent.program, lastAltitude, nullptr);
    menu.show();
    ModalWatch opened;
    menu.timeCheckButton()->click();
    QCOMPARE(silent.prompter.messages,
             QStringList{QStringLiteral("The interlock did not answer the time check read.")});
    QVERIFY2(opened.pages.isEmpty(), qPrintable(opened.pages.join(' ')));
    QCOMPARE(silent.channel.writes.size(), std::size_t{1}); // the read, nothing written
}

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    CalibPagesTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "calib_pages_test.moc"
