#include "config/pairing_pages.h"

#include "app/page_opener.h"
#include "app/program.h"
#include "config/optional_feature_page.h"
#include "config/override_page.h"
#include "config/pairing_page.h"
#include "config/pin_code_page.h"
#include "config/test_page_dialog.h"
#include "config/test_page_logic.h"

#include <QApplication>

#include <cstdlib>
#include <cstring>

namespace interlock {

void registerFeatureAndPairingPages(Program& program) {
    MenuPages& pages = program.menuPages();
    pages[MenuCommand::Part1OptionalFeatures] = pageOpener<COptional_Feature_Part1>(program);
    pages[MenuCommand::Part2OptionalFeatures] = pageOpener<COptional_Feature_Part2>(program);
    pages[MenuCommand::Part1PinCode] = pageOpener<CPin_Code>(program);
    pages[MenuCommand::Part2Override] = pageOpener<COverride>(program);
    pages[MenuCommand::Part1Pairing] = pageOpener<CPairing>(program);
    pages[MenuCommand::Part2Pairing] = pageOpener<CPairing>(program);
    program.launcher().registerPage(PageRequest::Test, [&program] {
        if (!readsAnswered(openTestPage(program.requester()), program.prompter()))
            return;
        // Over whatever page asked for it (the port page after a connect).
        CTest_Dlg page(program, QApplication::activeModalWidget());
        runPage(page);
    });
}

bool testPageWanted() {
    const char* setting = std::getenv("INTERLOCK_TEST_PAGE");
    return setting && std::strcmp(setting, "1") == 0;
}

void openTestPageOnConnect(Program& program) {
    // Direct: it runs as the request is told, before the launcher takes it queued.
    QObject::connect(&program, &Program::pageRequested, &program, [&program] {
        ProgramState& state = program.state();
        if (state.dlg_enum == PageRequest::MainPart2)
            state.dlg_enum = PageRequest::Test;
    });
}

} // namespace interlock
