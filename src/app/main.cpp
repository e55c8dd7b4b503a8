#include "app/main_window.h"
#include "app/qt_prompter.h"
#include "link/trace.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Local AppWizard-Generated Applications"));
    QCoreApplication::setApplicationName(QStringLiteral("Quenlix_Interlock"));
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Interlock PC Program"));

    const char* traceSetting = std::getenv("INTERLOCK_TRACE");
    if (traceSetting && std::strcmp(traceSetting, "1") == 0)
        interlock::setTraceSink([](std::string_view line) {
            std::fwrite(line.data(), 1, line.size(), stderr);
        });

    interlock::QtPrompter prompter;
    interlock::CQuenlix_InterlockDlg window(prompter);
    window.exec();
    return 0;
}
