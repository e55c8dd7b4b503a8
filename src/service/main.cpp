#include "app/main_window.h"
#include "app/qt_prompter.h"
#include "app/user_file_location.h"
#include "app/user_file_place.h"
#include "cli/command_line.h"
#include "cli/exit_status.h"
#include "cli/run_command.h"
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

namespace {

using interlock::cli::exitCode;
using interlock::cli::ExitStatus;

void installTraceSink() {
    const char* setting = std::getenv("INTERLOCK_TRACE");
    if (setting && std::strcmp(setting, "1") == 0)
        // Flushed line by line: a trace matters most when the program dies (and the
        // Windows C library buffers stderr when it is no console).
        interlock::setTraceSink([](std::string_view line) {
            std::fwrite(line.data(), 1, line.size(), stderr);
            std::fflush(stderr);
        });
}

void nameTheApplication() {
    QCoreApplication::setOrganizationName(QStringLiteral("Local AppWizard-Generated Applications"));
    QCoreApplication::setApplicationName(QStringLiteral("Quenlix_Interlock"));
    installTraceSink();
}

// Whether the arguments ask for a window. Read before any application object exists,
// so a job never needs a display; the arguments are read again, properly decoded,
// once it does.
bool wantsWindows(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return interlock::cli::needsWindows(interlock::cli::parseCommandLine(arguments));
}

// interlock-sim next to the program when installed; in the build tree otherwise.
std::string simulatorExecutable() {
    const QString besideUs = QCoreApplication::applicationDirPath() + "/interlock-sim";
    return QFileInfo(besideUs).isExecutable() ? besideUs.toStdString()
                                              : interlock::sim::SimProcess::defaultExecutable();
}

// The login window, with the simulated interlock for --demo.
int runWindow(const interlock::cli::CommandLine& line, interlock::Prompter& prompter) {
    interlock::RunOptions options;
    for (const QString& port : line.extraPorts)
        options.extraPorts.push_back(port.toStdString());
    interlock::sim::SimProcess simulator;
    QTemporaryDir demoFolder;
    if (line.demo) {
        if (!simulator.start({}, simulatorExecutable())) {
            prompter.message("The simulated interlock could not be started.", simulator.error());
            return exitCode(ExitStatus::NotStarted);
        }
        options.extraPorts.insert(options.extraPorts.begin(), simulator.portPath());
        // Without its folder the demo file would land in the working folder.
        if (!demoFolder.isValid()) {
            prompter.message("The demo folder could not be made.",
                             demoFolder.errorString().toStdString());
            return exitCode(ExitStatus::NotStarted);
        }
        const interlock::DemoUserFile demoUsers =
            interlock::writeDemoUserFile(demoFolder.path().toStdString());
        if (!demoUsers.failure.empty()) {
            prompter.message(demoUsers.failure);
            return exitCode(ExitStatus::NotStarted);
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
    return exitCode(ExitStatus::Done);
}

} // namespace

int main(int argc, char* argv[]) {
    using namespace interlock::cli;
    if (!wantsWindows(argc, argv)) {
        QCoreApplication app(argc, argv);
        nameTheApplication();
        return runWithoutWindows(parseCommandLine(QCoreApplication::arguments()));
    }

    QApplication app(argc, argv);
    nameTheApplication();
    // The window system's own options are taken out of the arguments by now.
    const CommandLine line = parseCommandLine(QCoreApplication::arguments());
    if (!line.usageError.isEmpty())
        return usageFailure(line.usageError);
    if (!needsWindows(line))
        return runWithoutWindows(line);
    interlock::QtPrompter prompter;
    // A saved export file is reviewed on its own: no interlock, no login.
    if (line.command == Command::Review)
        return interlock::openLogReview(
                   prompter, std::filesystem::path(line.reviewFile.toStdU16String()), nullptr)
                   ? exitCode(ExitStatus::Done)
                   : exitCode(ExitStatus::NotStarted);
    return runWindow(line, prompter);
}
