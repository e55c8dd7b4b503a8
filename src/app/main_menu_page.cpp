#include "app/main_menu_page.h"

#include "app/page_support.h"
#include "app/program.h"

#include <QShowEvent>
#include <QTimer>
#include <QVBoxLayout>

namespace interlock {

namespace {
// A two-line caption read out as one line.
QString spokenCaption(QString caption) {
    return caption.replace(QLatin1Char('\n'), QLatin1Char(' '));
}
} // namespace

MainMenuPage::MainMenuPage(Program& program, MainMenu menu, const QString& title,
                           const std::vector<Button>& buttons, QWidget* parent)
    : QDialog(parent), program_(program), menu_(menu),
      logCommand_(menu == MainMenu::Part1 ? MenuCommand::Part1DeleteRecord
                                          : MenuCommand::Part2Download),
      firmwareCommand_(menu == MainMenu::Part1 ? MenuCommand::Part1FirmwareUpdate
                                               : MenuCommand::Part2FirmwareUpdate) {
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    for (const Button& entry : buttons) {
        auto* button = new QPushButton(entry.caption, this);
        button->setAccessibleName(spokenCaption(entry.caption));
        button->setMinimumSize(220, 56);
        button->setEnabled(hasPage(entry.command));
        connect(button, &QPushButton::clicked, this,
                [this, command = entry.command] { run(command); });
        layout->addWidget(button);
        buttons_[entry.command] = button;
    }
}

void MainMenuPage::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        QTimer::singleShot(0, this, &MainMenuPage::initialise);
}

void MainMenuPage::initialise() {
    ProgramState& state = program_.state();
    if (beginMenu(state)) {
        openPage(firmwareCommand_);
        firmwareFirstReturned(state);
    }
    refreshLook();
    finishMenuInit(program_.requester());
}

void MainMenuPage::refreshLook() {
    const MenuLook look = menuLook(menu_, program_.state());
    QString caption = QString::fromStdString(look.logCaption);
    caption.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QPushButton* log = buttons_.at(logCommand_);
    log->setText(caption);
    log->setAccessibleName(spokenCaption(caption));
    buttons_.at(firmwareCommand_)
        ->setEnabled(look.firmwareUpdateEnabled && hasPage(firmwareCommand_));
}

bool MainMenuPage::hasPage(MenuCommand command) const {
    return program_.menuPages().contains(command);
}

void MainMenuPage::openPage(MenuCommand command) {
    const auto found = program_.menuPages().find(command);
    if (found != program_.menuPages().end())
        found->second(this);
}

void MainMenuPage::run(MenuCommand command) {
    if (!readsAnswered(runCommandReads(command, program_.requester()), program_.prompter()))
        return;
    openPage(command);
    switch (afterPage(command)) {
    case AfterPage::RefreshLook:
        refreshLook();
        break;
    case AfterPage::CloseIfRequested:
        if (closeMenuAfter(command, program_.state()))
            accept();
        break;
    case AfterPage::Nothing:
        break;
    }
}

CMain_Part1::CMain_Part1(Program& program, QWidget* parent)
    : MainMenuPage(program, MainMenu::Part1, QStringLiteral("Main PART1"),
                   {{MenuCommand::Part1Diagnostics, QStringLiteral("DIAGNOSTICS")},
                    {MenuCommand::Part1DeleteRecord, QStringLiteral("DELETE RECORD")},
                    {MenuCommand::Part1Calibration, QStringLiteral("CALIBRATION")},
                    {MenuCommand::Part1Settings, QStringLiteral("SETTINGS")},
                    {MenuCommand::Part1Pairing, QStringLiteral("PAIRING")},
                    {MenuCommand::Part1OptionalFeatures, QStringLiteral("OPTIONAL\nFEATURES")},
                    {MenuCommand::Part1FirmwareUpdate, QStringLiteral("FIRMWARE\nUPDATE")},
                    {MenuCommand::Part1PinCode, QStringLiteral("PIN CODE")}},
                   parent) {}

CMain_Part2::CMain_Part2(Program& program, QWidget* parent)
    : MainMenuPage(program, MainMenu::Part2, QStringLiteral("Main PART2"),
                   {{MenuCommand::Part2Diagnostics, QStringLiteral("DIAGNOSTICS")},
                    {MenuCommand::Part2Download, QStringLiteral("DOWNLOAD")},
                    {MenuCommand::Part2Calibration, QStringLiteral("CALIBRATION")},
                    {MenuCommand::Part2Pairing, QStringLiteral("PAIRING")},
                    {MenuCommand::Part2Settings, QStringLiteral("SETTINGS")},
                    {MenuCommand::Part2FirmwareUpdate, QStringLiteral("FIRMWARE\nUPDATE")}},
                   parent) {}

} // namespace interlock
