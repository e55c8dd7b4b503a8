// The option, override, PIN, pairing and test pages against interlock-sim over a
// pseudo-terminal: what they write is read back from the simulated unit.
#include "app/main_menu_page.h"
#include "config/new_pair_page.h"
#include "config/override_page.h"
#include "config/pairing_page.h"
#include "config/pairing_pages.h"
#include "config/pin_code_digits.h"
#include "config/serial_number_page.h"
#include "config/settings_write.h"
#include "config/test_page_dialog.h"
#include "config/test_page_logic.h"
#include "connected_program.h"
#include "link/codes.h"
#include "link/write_outcome.h"
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

QTEST_MAIN(PairingPagesTest)
#include "pairing_pages_test.moc"
