// The settings pages against interlock-sim over a pseudo-terminal, offscreen: a
// change written and read back, SAVE then LOAD, a refused value and write on PART 1.
#include "app/main_menu_page.h"
#include "app/program.h"
#include "config/settings_pages.h"
#include "config/settings_part1_page.h"
#include "config/settings_part2_page.h"
#include "connected_program.h"
#include "link/codes.h"
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
        emit page->list(L::Unit)->activated(2);
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

QTEST_MAIN(SettingsPagesTest)
#include "settings_pages_test.moc"
