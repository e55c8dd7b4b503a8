#include "app/demo_interlock.h"
#include "app/main_window.h"
#include "app/qt_prompter.h"
#include "app/user_file_location.h"
#include "link/trace.h"

#include <QApplication>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

void installTraceSink() {
    const char* setting = std::getenv("INTERLOCK_TRACE");
    if (setting && std::strcmp(setting, "1") == 0)
        interlock::setTraceSink(
            [](std::string_view line) { std::fwrite(line.data(), 1, line.size(), stderr); });
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Local AppWizard-Generated Applications"));
    QCoreApplication::setApplicationName(QStringLiteral("Quenlix_Interlock"));
    installTraceSink();

    interlock::RunOptions options;
    bool demo = false;
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    for (const QString& argument : arguments) {
        if (argument == QLatin1String("--demo"))
            demo = true;
        else
            options.extraPorts.push_back(argument.toStdString());
    }

    interlock::QtPrompter prompter;
    interlock::DemoInterlock simulator;
    QTemporaryDir demoFolder;
    if (demo) {
        QString error;
        if (!simulator.start({}, error)) {
            prompter.message("The simulated interlock could not be started.", error.toStdString());
            return 1;
        }
        options.extraPorts.insert(options.extraPorts.begin(), simulator.portPath().toStdString());
        options.userFile = interlock::writeDemoUserFile(demoFolder.path().toStdString());
        options.simulated = true;
    } else {
        options.userFile = interlock::userFilePath();
    }

    interlock::CQuenlix_InterlockDlg window(prompter, std::move(options));
    window.exec();
    return 0;
}
