// The settings pages against interlock-sim over a pseudo-terminal, offscreen: a
// change written and read back, SAVE then LOAD, a refused value and write on PART 1,
// no page after a read without a good answer; and on a recording channel, what the
// controls show judged and written however they were changed.
#include "accessible_input.h"
#include "app/main_menu_page.h"
#include "app/program.h"
#include "config/settings_pages.h"
#include "config/settings_part1_page.h"
#include "config/settings_part2_page.h"
#include "connected_program.h"
#include "link/codes.h"
#include "modal_watch.h"
#include "recorded_program.h"
#include "simulator_records.h"
#include "when_modal.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <fstream>
#include <iterator>

using namespace interlock;
using namespace interlock::testing;
namespace fs = std::filesystem;

namespace {

using E = Part2Edit;
using L = Part2List;

const QString kRefused = QStringLiteral("The interlock refused the settings write.");

// The program connected to interlock-sim, with the settings pages registered.
struct Connected : ConnectedProgram {
    bool start(const std::vector<std::string>& simArgs) {
        registerSettingsPages(program);
        return ConnectedProgram::start(simArgs);
    }
    // What the SETTINGS button sends before the page opens, then the page.
    std::unique_ptr<CSetting_Part2> openSettings() {
        runCommandReads(MenuCommand::Part2Settings, program.requester());
        auto page = std::make_unique<CSetting_Part2>(program, nullptr);
        page->show();
        return page;
    }
    std::uint32_t answers(std::uint8_t code) { return program.state().answersReceived[code]; }
};

void type(QLineEdit* edit, const QString& text) {
    edit->clear();
    QTest::keyClicks(edit, text);
}

const QString kUnansweredRead = QStringLiteral("The interlock did not answer the settings read.");

QString invalid(const char* caption) {
    return QString::fromLatin1(caption) +
           QStringLiteral(" value is not valid. Verify that it was enterd correctly and try again");
}

std::uint16_t wordAt(const Bytes& record, std::size_t at) {
    return static_cast<std::uint16_t>(record.at(at) | record.at(at + 1) << 8);
}

std::vector<std::uint8_t> fileBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

} // namespace

class SettingsPagesTest : public QObject {
    Q_OBJECT
  private slots:
    void changeFromTheMenuIsWrittenAndReadBack();
    void saveThenLoadShowsTheSavedSettingsAndSendsNothing();
    void part1PageClosesOnlyOnAcceptedWrites();
    void part2JudgesAndWritesWhatItsControlsShowHoweverTheyChanged();
    void part1JudgesAndWritesWhatItsEditsShow();
    void aSettingsReadWithoutAGoodAnswerOpensNoPage();
};

void SettingsPagesTest::changeFromTheMenuIsWrittenAndReadBack() {
    Connected link;
    QVERIFY2(link.start({"--no-pacing"}), link.sim.error().c_str());
    CMain_Part2 menu(link.program, nullptr);
    menu.show();
    QVERIFY(menu.button(MenuCommand::Part2Settings)->isEnabled());

    whenModal<CSetting_Part2>([](CSetting_Part2* page) {
        type(page->edit(E::StartPeriod), QStringLiteral("7"));
        page->overrideButton()->click(); // the simulated unit has the override off
        type(page->edit(E::OverrideTime), QStringLiteral("24"));
        type(page->edit(E::PinCode), QStringLiteral("0918"));
        page->list(L::Unit)->setCurrentIndex(2);
        page->radio(3, true)->click(); // DRIVER CHANGE on
        page->okButton()->click();
        page->cancelButton()->click();
    });
    menu.button(MenuCommand::Part2Settings)->click();
    QVERIFY(link.prompter.messages.isEmpty());
    QCOMPARE(link.answers(response::ACK), 4u);

    // Forget what was written: the next opening shows what the interlock holds.
    ProgramState& state = link.program.state();
    state.config = {};
    state.option = {};
    state.service = {};
    QString start, pin, unit;
    int driverChange = -1;
    whenModal<CSetting_Part2>([&](CSetting_Part2* page) {
        start = page->edit(E::StartPeriod)->text();
        pin = page->edit(E::PinCode)->text();
        unit = page->list(L::Unit)->currentText();
        driverChange = page->radio(3, true)->isChecked();
        page->cancelButton()->click();
    });
    menu.button(MenuCommand::Part2Settings)->click();
    QCOMPARE(start, QStringLiteral("7"));
    QCOMPARE(pin, QStringLiteral("0918"));
    QCOMPARE(unit, QStringLiteral("%BAC"));
    QCOMPARE(state.service.Override_fix_H(), 24);
    QCOMPARE(driverChange, 1);
    QCOMPARE(state.config.log_type(), 1);
}

void SettingsPagesTest::saveThenLoadShowsTheSavedSettingsAndSendsNothing() {
    const fs::path folder = fs::temp_directory_path() / "settings-pages-save";
    fs::remove_all(folder);
    fs::create_directories(folder);
    Connected link;
    QVERIFY2(link.start({"--no-pacing"}), link.sim.error().c_str());
    auto page = link.openSettings();
    QVERIFY(!page->saveButton()->isEnabled());
    type(page->edit(E::StartPeriod), QStringLiteral("20"));
    type(page->edit(E::RestartPeriod), QStringLiteral("45"));
    page->okButton()->click();
    QVERIFY(page->saveButton()->isEnabled());

    link.prompter.saveChoice = (folder / "none" / "unit").string();
    page->saveButton()->click();
    QVERIFY(page->saveButton()->isEnabled()); // a failed save may be tried again
    link.prompter.messages.clear();
    link.prompter.saveChoice = (folder / "unit").string();
    page->saveButton()->click();
    QCOMPARE(fileBytes(folder / "unit.cfg").size(), std::size_t{25});
    QVERIFY(!page->saveButton()->isEnabled());

    type(page->edit(E::RestartPeriod), QStringLiteral("99"));
    const std::uint32_t acks = link.answers(response::ACK);
    link.prompter.openChoice = (folder / "unit.cfg").string();
    page->loadButton()->click();
    QCOMPARE(page->edit(E::RestartPeriod)->text(), QStringLiteral("45"));
    QTest::qWait(50);
    QCOMPARE(link.answers(response::ACK), acks);

    // A file that cannot be opened: the system's words first, then the program's.
    link.prompter.openChoice = (folder / "missing.cfg").string();
    page->loadButton()->click();
    QCOMPARE(link.prompter.messages.size(), 2);
    QVERIFY(link.prompter.messages[0].contains(QStringLiteral("missing.cfg")));
    QCOMPARE(link.prompter.messages[1], QStringLiteral("FILE OPEN ERROR"));
    fs::remove_all(folder);
}

void SettingsPagesTest::part1PageClosesOnlyOnAcceptedWrites() {
    Connected link;
    QVERIFY2(link.start({"--no-pacing", "--part", "1", "--refuse", "0x5B"}),
             link.sim.error().c_str());
    runCommandReads(MenuCommand::Part1Settings, link.program.requester());
    auto page = std::make_unique<CSetting_Part1>(link.program, nullptr);
    page->show();
    type(page->edit(Part1Edit::GracePeriod), QStringLiteral("251"));
    page->okButton()->click();
    QCOMPARE(page->edit(Part1Edit::GracePeriod)->text(), QStringLiteral("1"));
    type(page->edit(Part1Edit::ServiceDate), QStringLiteral("365"));
    page->okButton()->click();
    QCOMPARE(link.prompter.messages.back(), kRefused);
    QVERIFY(page->isVisible());
    page->okButton()->click();
    QVERIFY(!page->isVisible());
    QCOMPARE(page->result(), int(QDialog::Accepted));
    QCOMPARE(link.prompter.messages.size(), 2);
    link.program.requester().read(request::ReadOption);
    QCOMPARE(link.program.state().option.service_fix_date(), 365);
}

// A screen reader sets the edits' texts and toggles a radio; the program picks a unit.
void SettingsPagesTest::part2JudgesAndWritesWhatItsControlsShowHoweverTheyChanged() {
    RecordedProgram unit;
    holdSimulatorRecords(unit.program.state());
    CSetting_Part2 page(unit.program, nullptr);
    page.show();
    QVERIFY(setTextAccessibly(*page.edit(E::ServiceDate), QStringLiteral("366")));
    page.okButton()->click();
    QCOMPARE(unit.prompter.messages, QStringList{invalid("SERVICE DATE")});
    QCOMPARE(page.edit(E::ServiceDate)->text(), QStringLiteral("1"));
    QVERIFY(unit.channel.writes.empty());

    QVERIFY(setTextAccessibly(*page.edit(E::ServiceDate), QStringLiteral("200")));
    QVERIFY(setTextAccessibly(*page.edit(E::StartPeriod), QStringLiteral("7x")));
    QCOMPARE(page.edit(E::StartPeriod)->text(), QString()); // emptied, as if typed
    QVERIFY(setTextAccessibly(*page.edit(E::StartPeriod), QStringLiteral("7")));
    QVERIFY(toggleAccessibly(*page.radio(3, true))); // DRIVER CHANGE ON
    QVERIFY(page.radio(3, true)->isChecked() && !page.radio(3, false)->isChecked());
    page.list(L::Unit)->setCurrentIndex(0); // mg/L
    QCOMPARE(page.list(L::BlockingLimit)->currentText(), QStringLiteral("0.20"));
    page.okButton()->click();
    QCOMPARE(unit.prompter.messages.size(), 1);

    const Bytes option = unit.written(request::WriteOption);
    QCOMPARE(wordAt(option, 8), 200);
    QCOMPARE(option.at(0), 3); // mg/L
    const Bytes config = unit.written(request::WriteConfig);
    QCOMPARE(wordAt(config, 8), 7);
    QCOMPARE(config.at(18) & 0x01, 0x01);
    QCOMPARE(page.edit(E::ServiceDate)->text(), QStringLiteral("200"));
    QVERIFY(page.saveButton()->isEnabled());
}

void SettingsPagesTest::part1JudgesAndWritesWhatItsEditsShow() {
    RecordedProgram unit;
    holdSimulatorRecords(unit.program.state());
    CSetting_Part1 page(unit.program, nullptr);
    page.show();
    QVERIFY(setTextAccessibly(*page.edit(Part1Edit::ServiceDate), QStringLiteral("366")));
    page.okButton()->click();
    QCOMPARE(unit.prompter.messages, QStringList{invalid("SERVICE DATE")});
    QVERIFY(unit.channel.writes.empty());
    QVERIFY(setTextAccessibly(*page.edit(Part1Edit::ServiceDate), QStringLiteral("90")));
    QVERIFY(setTextAccessibly(*page.edit(Part1Edit::GracePeriod), QStringLiteral("12")));
    page.okButton()->click();
    QCOMPARE(page.result(), int(QDialog::Accepted));
    QCOMPARE(wordAt(unit.written(request::WriteOption), 8), 90);
    QCOMPARE(unit.written(request::WriteConfig).at(13), 12);
}

// A short answer from the simulated unit, then silence: the menu says which read failed
// and opens nothing that could write back records the program does not hold.
void SettingsPagesTest::aSettingsReadWithoutAGoodAnswerOpensNoPage() {
    ModalWatch opened;
    Connected link;
    QVERIFY2(link.start({"--no-pacing", "--short-answer", "0x63"}), link.sim.error().c_str());
    CMain_Part2 menu(link.program, nullptr);
    menu.show();
    menu.button(MenuCommand::Part2Settings)->click();
    QCOMPARE(link.prompter.messages, QStringList{kUnansweredRead});
    QCOMPARE(link.answers(response::TE_OPTION), 0u); // no read after the failed one

    RecordedProgram silent;
    registerSettingsPages(silent.program);
    CMain_Part1 part1(silent.program, nullptr);
    part1.show();
    part1.button(MenuCommand::Part1Settings)->click();
    QCOMPARE(silent.prompter.messages, QStringList{kUnansweredRead});
    QVERIFY(opened.pages.isEmpty());
}

QTEST_MAIN(SettingsPagesTest)
#include "settings_pages_test.moc"
