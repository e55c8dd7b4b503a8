#include "program_pictures.h"

#include "app/main_menu_page.h"
#include "calib/calibration_main_page.h"
#include "calib/calibration_message_page.h"
#include "calib/diagnostic_pages.h"
#include "calib/dry_gas_page.h"
#include "config/settings_part2_page.h"
#include "firmware/firmware_update_page.h"
#include "log/delete_confirm_page.h"
#include "log/download_page.h"
#include "picture_folder.h"
#include "simulated_unit.h"

#include <QApplication>
#include <QDir>
#include <QTest>

#include <fstream>

namespace interlock::pictures {

namespace {
constexpr int kStepTimeoutMs = 60000;
// Large enough to be caught half-way at the line's pace (about four seconds).
constexpr std::size_t kImageSize = 48 * 1024;

template <class Page> Page* activePage() {
    return qobject_cast<Page*>(QApplication::activeModalWidget());
}

bool readComplete(const testing::RecordingPrompter& prompter) {
    const auto* page = activePage<CDownLoad_Part2>();
    return page && prompter.saw("Event Read Complete") &&
           page->progressBar()->value() == page->progressBar()->maximum();
}

bool diagnosticsFilled() {
    const auto* page = activePage<CDiagnostic_Part2>();
    // The date shows the interlock's clock once its first report is in.
    return page && page->dateField()->text().contains(QStringLiteral(" / ")) &&
           page->controlUnitSupplyField()->text().endsWith('V') &&
           !page->gSensorField()->text().isEmpty();
}

bool halfStreamed() {
    const auto* page = activePage<CFirmware_Update>();
    return page && page->update().streaming() && page->progressBar()->value() >= 45;
}

std::filesystem::path writeImage(const QTemporaryDir& folder) {
    const std::filesystem::path path = folder.filePath(QStringLiteral("new.bin")).toStdString();
    std::ofstream image(path, std::ios::binary);
    for (std::size_t i = 0; i < kImageSize; ++i)
        image.put(static_cast<char>(i * 7 + i / 251));
    return path;
}
} // namespace

QString takeProgramPictures(PictureFolder& pictures) {
    PageFixture fixture;
    sim::SimProcess simulator;
    // At the line's own pace, so the firmware stream can be caught half-way; the clock
    // is fixed so that the pictures change only when the pages do.
    if (!simulator.start(
            {"--log-count", "300", "--cal-step-ms", "200", "--clock", "2026-10-27 10:00:00"}))
        return QString::fromStdString("interlock-sim: " + simulator.error());
    QTemporaryDir work;
    fixture.prompter.openChoice = writeImage(work).string();

    const auto window = fixture.openWindow({simulator.portPath()}, false, true);
    const ProgramState& state = window->program().state();
    window->userNameEdit()->setText(QStringLiteral("tech"));
    window->passwordEdit()->setText(QStringLiteral("secret"));
    if (!QTest::qWaitForWindowExposed(window.get()))
        return QStringLiteral("the login window was never shown");
    pictures.save(*window, QStringLiteral("login"));

    PageScript script(kStepTimeoutMs);
    script
        .then<CPC_Connect_Dlg>([&](CPC_Connect_Dlg& page) {
            pictures.save(page, QStringLiteral("pc-connect"));
            connectTo(QString::fromStdString(simulator.portPath()))(page);
        })
        .then<CMain_Part2>(
            [&](CMain_Part2& menu) {
                pictures.save(menu, QStringLiteral("main-part2"));
                clickLater(menu.button(MenuCommand::Part2Settings));
            },
            infoRead(state))
        .then<CSetting_Part2>([&](CSetting_Part2& page) {
            pictures.save(page, QStringLiteral("settings-part2"));
            clickLater(page.cancelButton());
        })
        .then<CMain_Part2>(
            [](CMain_Part2& menu) { clickLater(menu.button(MenuCommand::Part2Download)); })
        .then<CDownLoad_Part2>([](CDownLoad_Part2& page) {
            page.registrationEdit()->setText(QStringLiteral("KA-7731"));
            clickLater(page.readLogButton());
        })
        .then<CDownLoad_Part2>(
            [&](CDownLoad_Part2& page) {
                pictures.save(page, QStringLiteral("download"));
                clickLater(page.deleteLogButton());
            },
            [&] { return readComplete(fixture.prompter); })
        .then<CDelete_Log_Part2>([](CDelete_Log_Part2& page) { clickLater(page.okButton()); })
        .then<CMain_Part2>(
            [](CMain_Part2& menu) { clickLater(menu.button(MenuCommand::Part2Diagnostics)); },
            [&state] { return state.logDeleted; })
        .then<CDiagnostic_Part2>(
            [&](CDiagnostic_Part2& page) {
                pictures.save(page, QStringLiteral("diagnostics"));
                page.reject();
            },
            diagnosticsFilled)
        .then<CMain_Part2>(
            [](CMain_Part2& menu) { clickLater(menu.button(MenuCommand::Part2FirmwareUpdate)); })
        .then<CFirmware_Update>([](CFirmware_Update& page) { clickLater(page.okButton()); })
        .then<CFirmware_Update>(
            [&](CFirmware_Update& page) { pictures.save(page, QStringLiteral("firmware-update")); },
            halfStreamed)
        // The update ends with the interlock's new version; the page and the menu close.
        .then<CPC_Connect_Dlg>(connectTo(QString::fromStdString(simulator.portPath())))
        // Its info record is the third: the update's version check read the second.
        .then<CMain_Part2>(
            [](CMain_Part2& menu) { clickLater(menu.button(MenuCommand::Part2Calibration)); },
            infoRead(state, 3))
        .then<CCalibration_Main>([&](CCalibration_Main& menu) {
            pictures.save(menu, QStringLiteral("calibration-menu"));
            clickLater(menu.calibrationButton());
        })
        .then<CCalibration_DryGas>([](CCalibration_DryGas& page) {
            page.altitudeEdit()->setText(QStringLiteral("1000"));
            clickLater(page.startButton());
        })
        // The result closes the menus and the program behind it.
        .then<CCalibration_Message>([&](CCalibration_Message& result) {
            pictures.save(*result.parentWidget(), QStringLiteral("dry-gas"));
            clickLater(result.okButton());
        });
    // DOWNLOAD writes its export file into the working folder.
    const QString previousFolder = QDir::currentPath();
    QDir::setCurrent(work.path());
    PageFixture::logIn(*window, QStringLiteral("tech"), QStringLiteral("secret"));
    QDir::setCurrent(previousFolder);
    if (!script.finished())
        return QStringLiteral("The pages stopped: %1. Messages: %2")
            .arg(script.failure(), fixture.prompter.messages.join(QStringLiteral("; ")));
    return {};
}

} // namespace interlock::pictures
