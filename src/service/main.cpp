#include "app/main_window.h"
#include "app/qt_prompter.h"
#include "app/user_file_location.h"
#include "app/user_file_place.h"
#include "link/trace.h"
#include "review/review_pages.h"
#include "service/subsystem_duties.h"
#include "service/subsystem_pages.h"
#include "sim/sim_process.h"

#include <QApplication>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>

namespace {

void installTraceSink() {
    const char* setting = std::getenv("INTERLOCK_TRACE");
    if (setting && std::strcmp(setting, "1") == 0)
        interlock::setTraceSink(
            [](std::string_view line) { std::fwrite(line.data(), 1, line.size(), stderr); });
}

// interlock-sim next to the program when installed; in the build tree otherwise.
std::string simulatorExecutable() {
    const QString besideUs = QCoreApplication::applicationDirPath() + "/interlock-sim";
    return QFileInfo(besideUs).isExecutable() ? besideUs.toStdString()
                                              : interlock::sim::SimProcess::defaultExecutable();
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Local AppWizard-Generated Applications"));
    QCoreApplication::setApplicationName(QStringLiteral("Quenlix_Interlock"));
    installTraceSink();

    interlock::QtPrompter prompter;
    interlock::RunOptions options;
    bool demo = false;
    std::optional<std::filesystem::path> reviewFile;
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QLatin1String("--demo")) {
            demo = true;
        } else if (argument == QLatin1String("--review")) {
            if (i + 1 == arguments.size()) {
                prompter.message("Usage: interlock-service --review FILE",
                                 "FILE is a log export file (.csv) saved by this program.");
                return 2;
            }
            reviewFile = std::filesystem::path(arguments[++i].toStdU16String());
        } else {
            options.extraPorts.push_back(argument.toStdString());
        }
    }
    // A saved export file is reviewed on its own: no interlock, no login.
    if (reviewFile)
        return interlock::openLogReview(prompter, *reviewFile, nullptr) ? 0 : 1;

    interlock::sim::SimProcess simulator;
    QTemporaryDir demoFolder;
    if (demo) {
        if (!simulator.start({}, simulatorExecutable())) {
            prompter.message("The simulated interlock could not be started.", simulator.error());
            return 1;
        }
        options.extraPorts.insert(options.extraPorts.begin(), simulator.portPath());
        // Without its folder the demo file would land in the working folder.
        if (!demoFolder.isValid()) {
            prompter.message("The demo folder could not be made.",
                             demoFolder.errorString().toStdString());
            return 1;
        }
        const interlock::DemoUserFile demoUsers =
            interlock::writeDemoUserFile(demoFolder.path().toStdString());
        if (!demoUsers.failure.empty()) {
            prompter.message(demoUsers.failure);
            return 1;
        }
        options.userFile = demoUsers.path;
        options.simulated = true;
    } else {
        options.userFile = interlock::userFilePath();
    }

    interlock::CQuenlix_InterlockDlg window(prompter, std::move(options));
    interlock::registerSubsystemDuties(window.program());
    interlock::registerSubsystemPages(window.program());
    window.exec();
    return 0;
}
