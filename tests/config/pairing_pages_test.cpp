// The option, override, PIN, pairing and test pages against interlock-sim over a
// pseudo-terminal: what they write is read back from the simulated unit. On a
// recording channel: what their controls show is written however it was set, and a
// read without a good answer opens no page.
#include "accessible_input.h"
#include "app/main_menu_page.h"
#include "config/new_pair_page.h"
#include "config/optional_feature_page.h"
#include "config/override_page.h"
#include "config/pairing_page.h"
#include "config/pairing_pages.h"
#include "config/pin_code_digits.h"
#include "config/pin_code_page.h"
#include "config/serial_number_page.h"
#include "config/settings_write.h"
#include "config/test_page_dialog.h"
#include "config/test_page_logic.h"
#include "connected_program.h"
#include "link/codes.h"
#include "link/write_outcome.h"
#include "modal_watch.h"
#include "recorded_program.h"
#include "simulator_records.h"
#include "when_modal.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace interlock;
using namespace interlock::testing;

namespace {
const QString kRefused = QString::fromUtf8(kSettingsWriteRefused.data());

QPushButton* buttonNamed(const QWidget& page, const char* caption) {
    for (QPushButton* button : page.findChildren<QPushButton*>()) {
        if (button->text() == QLatin1String(caption))
            return button;
    }
    return nullptr;
}

void press(const QWidget& page, const char* caption) {
    QPushButton* button = buttonNamed(page, caption);
    QVERIFY2(button, caption);
    button->click();
}

// The record as the unit holds it now: the program's copy is cleared and read again.
template <typename Record>
const Record& readBack(ConnectedProgram& link, Record ProgramState::*record, std::uint8_t code) {
    ProgramState& state = link.program.state();
    state.*record = Record{};
    link.program.requester().read(code);
    return state.*record;
}
} // namespace

class PairingPagesTest : public QObject {
    Q_OBJECT
  private slots:
    void overrideIsRefusedOnceThenWrittenAndReadBack();
    void pairingLeadsToSerialNumberAndNewPair();
    void testPageWritesTheWholeRecord();
    void menusOfferThesePagesAndAConnectCanOpenTheTestPage();
    void everyPageWritesWhatItsControlsShowHoweverTheyChanged();
    void readsWithoutAnAnswerOpenNoPage();
};

void PairingPagesTest::overrideIsRefusedOnceThenWrittenAndReadBack() {
    ConnectedProgram link;
    QVERIFY2(link.start({"--no-pacing", "--refuse", "0x56"}), link.sim.error().c_str());
    runCommandReads(MenuCommand::Part2Override, link.program.requester());
    COverride page(link.program, nullptr);
    page.show();
    QCOMPARE(page.overrideButton()->text(), QStringLiteral("On"));
    QVERIFY(!page.timeEdit()->isEnabled());
    QCOMPARE(page.pinEdit()->text(), QStringLiteral("1234"));
    page.overrideButton()->click();
    QCOMPARE(page.overrideButton()->text(), QStringLiteral("Off"));
    page.timeEdit()->setText(QStringLiteral("1500"));
    page.pinEdit()->setText(QStringLiteral("0042"));
    press(page, "OK");
    QCOMPARE(link.prompter.messages, QStringList{kRefused});
    QVERIFY(page.isVisible());
    QCOMPARE(readBack(link, &ProgramState::service, request::ReadService).Override_fix_H(), 0);

    page.timeEdit()->setText(QStringLiteral("1500"));
    page.pinEdit()->setText(QStringLiteral("0042"));
    press(page, "OK");
    QCOMPARE(page.result(), int(QDialog::Accepted));
    QCOMPARE(link.prompter.messages.size(), 1);
    const Te_Service_t& service = readBack(link, &ProgramState::service, request::ReadService);
    QCOMPARE(service.Override_fix_H(), 1500);
    QCOMPARE(pinText(service), std::string("0042"));
}

void PairingPagesTest::pairingLeadsToSerialNumberAndNewPair() {
    ConnectedProgram link;
    QVERIFY2(link.start({"--no-pacing", "--firmware", "16.10"}), link.sim.error().c_str());
    runCommandReads(MenuCommand::Part2Pairing, link.program.requester());
    CPairing pairing(link.program, nullptr);
    pairing.show();
    QCOMPARE(pairing.firmwareVersion()->text(), QStringLiteral("VER : 10.0A"));
    QCOMPARE(pairing.pcVersion()->text(), QStringLiteral("PC : 04.04"));

    bool serialSeen = false;
    whenModal<CSerial_Number>([&](CSerial_Number* page) {
        serialSeen = true;
        QVERIFY(!page->handUnitEdit()->isEnabled());
        QCOMPARE(page->handUnitEdit()->text(), QStringLiteral("HS000123"));
        page->controlUnitEdit()->setText(QStringLiteral("NEW-CB 1"));
        press(*page, "O K");
    });
    pairing.serialNumberButton()->click();
    QVERIFY(serialSeen);
    const IdentityRecord& identity = readBack(link, &ProgramState::identity, request::Pairing);
    QCOMPARE(identity.control_serial(), std::string("NEW-CB 1"));
    QCOMPARE(identity.handset_serial(), std::string("HS000123"));

    bool newPairSeen = false;
    whenModal<CNew_Pair_Part2>([&](CNew_Pair_Part2* page) {
        newPairSeen = true;
        QVERIFY(page->deleteAllBox());
        QCOMPARE(page->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        press(*page, "CANCEL");
    });
    pairing.newPairButton()->click();
    QVERIFY(newPairSeen);
}

void PairingPagesTest::testPageWritesTheWholeRecord() {
    ConnectedProgram link;
    QVERIFY2(link.start({"--no-pacing"}), link.sim.error().c_str());
    ProgramState& state = link.program.state();
    QCOMPARE(openTestPage(link.program.requester()), std::string());
    CTest_Dlg page(link.program, nullptr);
    page.show();
    QCOMPARE(page.edit(TestEdit::HandSerial)->text(), QStringLiteral("HS000123"));
    QCOMPARE(page.edit(TestEdit::AlarmLevel)->text(), QStringLiteral("400"));
    QCOMPARE(page.radios(TestRadio::Unit)->checkedId(), 2);
    // The outputs are driven twice a second while the page is open.
    const std::uint32_t reports = state.answersReceived[response::TE_DIAGNOSIS];
    page.soundBox()->setChecked(true);
    QTRY_VERIFY(state.answersReceived[response::TE_DIAGNOSIS] >= reports + 2);
    QCOMPARE(state.diagnosisControl[0], 1);

    page.edit(TestEdit::Grace)->setText(QStringLiteral("7"));
    page.edit(TestEdit::ControlSerial)->setText(QStringLiteral("CB12345"));
    page.writeButton()->click();
    QCOMPARE(link.prompter.messages.last(), QStringLiteral("시리얼 번호 입력 확인 할 것!!!"));
    QVERIFY(page.isVisible());
    page.edit(TestEdit::ControlSerial)->setText(QStringLiteral("CB123456"));
    page.writeButton()->click();
    QCOMPARE(page.result(), int(QDialog::Accepted));
    QCOMPARE(state.diagnosisControl[0], 0);

    readBack(link, &ProgramState::identity, request::WholeRead);
    QCOMPARE(state.config.lock_out_warning(), 7);
    QCOMPARE(state.identity.control_serial(), std::string("CB123456"));
}

void PairingPagesTest::menusOfferThesePagesAndAConnectCanOpenTheTestPage() {
    ConnectedProgram link;
    QVERIFY2(link.start({"--no-pacing"}), link.sim.error().c_str());
    registerFeatureAndPairingPages(link.program);
    {
        CMain_Part1 part1(link.program, nullptr);
        for (const MenuCommand command :
             {MenuCommand::Part1Pairing, MenuCommand::Part1OptionalFeatures,
              MenuCommand::Part1PinCode})
            QVERIFY(part1.button(command)->isEnabled());
        CMain_Part2 part2(link.program, nullptr);
        QVERIFY(part2.button(MenuCommand::Part2Pairing)->isEnabled());
    }
    openTestPageOnConnect(link.program);
    bool testPageSeen = false;
    whenModal<CTest_Dlg>([&](CTest_Dlg* page) {
        testPageSeen = true;
        page->reject();
    });
    link.program.state().dlg_enum = PageRequest::MainPart2;
    link.program.notePageRequest();
    QTRY_VERIFY(testPageSeen);
    QCOMPARE(link.program.state().dlg_enum, PageRequest::None);
}

// A screen reader sets each page's edits through their text interface and switches
// radios and boxes with the "Toggle" action; OK writes exactly that.
void PairingPagesTest::everyPageWritesWhatItsControlsShowHoweverTheyChanged() {
    RecordedProgram unit;
    ProgramState& state = unit.program.state();
    holdSimulatorRecords(state);
    {
        COptional_Feature_Part2 page(unit.program, nullptr);
        page.show();
        QVERIFY(toggleAccessibly(*page.onButton(0)));
        QVERIFY(toggleAccessibly(*page.onButton(3)));
        press(page, "OK");
        QCOMPARE(unit.written(request::WriteConfig).at(18), 0x02 | 0x01);
    }
    holdSimulatorRecords(state);
    {
        COverride page(unit.program, nullptr);
        page.show();
        QVERIFY(pressAccessibly(*page.overrideButton())); // the override goes on
        QTRY_COMPARE(page.overrideButton()->text(), QStringLiteral("Off"));
        QVERIFY(setTextAccessibly(*page.timeEdit(), QStringLiteral("1500")));
        QVERIFY(setTextAccessibly(*page.pinEdit(), QStringLiteral("0042")));
        press(page, "OK");
        const Bytes service = unit.written(request::WriteService);
        QCOMPARE(service.at(7) | service.at(8) << 8, 1500);
        QCOMPARE(Bytes(service.begin() + 9, service.end()), (Bytes{0, 0, 4, 2}));
    }
    holdSimulatorRecords(state);
    {
        CPin_Code page(unit.program, nullptr);
        page.show();
        QVERIFY(setTextAccessibly(*page.pinEdit(), QStringLiteral("907")));
        press(page, "OK");
        QCOMPARE(page.pinEdit()->text(), QStringLiteral("7391")); // three digits refused
        QVERIFY(setTextAccessibly(*page.pinEdit(), QStringLiteral("9070")));
        press(page, "OK");
        const Bytes service = unit.written(request::WriteService);
        QCOMPARE(Bytes(service.begin() + 9, service.end()), (Bytes{9, 0, 7, 0}));
    }
    {
        CSerial_Number page(unit.program, nullptr);
        page.show();
        QVERIFY(setTextAccessibly(*page.controlUnitEdit(), QStringLiteral("NEW-CB 7")));
        press(page, "O K");
        const Bytes identity = unit.written(request::WriteIdentity);
        QCOMPARE(std::string(identity.begin() + 11, identity.end()), std::string("NEW-CB 7"));
    }
    {
        CNew_Pair_Part2 page(unit.program, nullptr);
        page.show();
        QVERIFY(toggleAccessibly(*page.deleteAllBox()));
        press(page, "OK");
        QCOMPARE(unit.written(request::WriteIdentity).at(0), 5);
    }
    holdSimulatorRecords(state);
    {
        CTest_Dlg page(unit.program, nullptr);
        page.show();
        QVERIFY(setTextAccessibly(*page.edit(TestEdit::Grace), QStringLiteral("7")));
        QVERIFY(toggleAccessibly(*page.radios(TestRadio::LockOut)->button(0))); // OFF
        QVERIFY(toggleAccessibly(*page.check(TestCheck::DoorTrigger)));
        page.writeButton()->click();
        // The configuration record sits behind the identity and option records.
        const Bytes whole = unit.written(request::WholeWrite);
        QCOMPARE(whole.at(29 + 13), 7);
        QCOMPARE(whole.at(29 + 12), 0);
        QCOMPARE(whole.at(29 + 18), 0x02);
    }
}

void PairingPagesTest::readsWithoutAnAnswerOpenNoPage() {
    const auto unanswered = [](const char* read) {
        return QStringLiteral("The interlock did not answer the %1 read.").arg(QLatin1String(read));
    };
    RecordedProgram silent;
    registerFeatureAndPairingPages(silent.program);
    ModalWatch opened;
    silent.program.state().dlg_enum = PageRequest::Test;
    silent.program.notePageRequest();
    QTRY_COMPARE(silent.prompter.messages.size(), 1);
    CMain_Part1 menu(silent.program, nullptr);
    menu.show();
    menu.button(MenuCommand::Part1OptionalFeatures)->click();
    menu.button(MenuCommand::Part1PinCode)->click();
    CPairing pairing(silent.program, nullptr);
    pairing.show();
    pairing.serialNumberButton()->click();
    QCOMPARE(silent.prompter.messages,
             (QStringList{unanswered("test page"), unanswered("optional features"),
                          unanswered("PIN code"), unanswered("serial number")}));
    QVERIFY2(opened.pages.isEmpty(), qPrintable(opened.pages.join(' ')));
}

QTEST_MAIN(PairingPagesTest)
#include "pairing_pages_test.moc"
