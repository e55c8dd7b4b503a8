// The login window's own texts, and names for every control of the pages.
#include "app/main_menu_page.h"
#include "app/register_page.h"
#include "app/software_change_page.h"
#include "app/software_page.h"
#include "app/user_delete_page.h"
#include "calib/calibration_main_page.h"
#include "calib/calibration_message_page.h"
#include "calib/calibration_time_page.h"
#include "calib/diagnostic_pages.h"
#include "calib/dry_gas_page.h"
#include "page_fixture.h"
#include "page_script.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>

using namespace interlock;

namespace {
bool isControl(const QWidget* widget) {
    return qobject_cast<const QAbstractButton*>(widget) || qobject_cast<const QLineEdit*>(widget) ||
           qobject_cast<const QComboBox*>(widget) || qobject_cast<const QAbstractItemView*>(widget);
}

// Inner parts of a list or combo box (header buttons, the combo's own edit).
bool isPartOfAnotherControl(const QWidget* widget, const QWidget* page) {
    for (const QWidget* up = widget->parentWidget(); up && up != page; up = up->parentWidget())
        if (isControl(up) || qobject_cast<const QAbstractScrollArea*>(up))
            return true;
    return false;
}

QStringList unnamedControls(const QWidget& page) {
    QStringList unnamed;
    for (const QWidget* widget : page.findChildren<QWidget*>()) {
        if (!isControl(widget) || isPartOfAnotherControl(widget, &page))
            continue;
        const auto* button = qobject_cast<const QAbstractButton*>(widget);
        if (widget->accessibleName().isEmpty() && (!button || button->text().isEmpty()))
            unnamed << page.windowTitle() + ": " + widget->metaObject()->className();
    }
    return unnamed;
}
} // namespace

class WindowPagesTest : public QObject {
    Q_OBJECT
  private slots:
    void titleSaysWhenTheInterlockIsSimulated();
    void aboutActionShowsTheVersion();
    void everyControlHasAName();
};

void WindowPagesTest::titleSaysWhenTheInterlockIsSimulated() {
    PageFixture fixture;
    QCOMPARE(fixture.openWindow({}, false)->windowTitle(), QStringLiteral("Interlock PC Program"));
    QCOMPARE(fixture.openWindow({}, true)->windowTitle(),
             QStringLiteral("Interlock PC Program (simulated interlock)"));
}

void WindowPagesTest::aboutActionShowsTheVersion() {
    PageFixture fixture;
    auto window = fixture.openWindow();
    const QList<QAction*> actions = window->actions();
    const auto about = std::find_if(actions.begin(), actions.end(), [](const QAction* action) {
        return action->text() == QStringLiteral("&About Quenlix_Interlock...");
    });
    QVERIFY(about != actions.end());
    PageScript script;
    script.then<QMessageBox>([](QMessageBox& box) {
        QCOMPARE(box.windowTitle(), QStringLiteral("About Quenlix_Interlock"));
        QCOMPARE(box.text(), QStringLiteral("Quenlix_Interlock Version 1.0"));
        box.accept();
    });
    (*about)->trigger();
    QVERIFY2(script.finished(), qPrintable(script.failure()));
}

void WindowPagesTest::everyControlHasAName() {
    PageFixture fixture;
    auto window = fixture.openWindow();
    Program& program = window->program();
    CRegister_Dlg registerPage(program, window->accounts(), window.get());
    CUser_Delete_Dlg userList(program, window->accounts(), &registerPage);
    CMain_Part1 part1(program, nullptr);
    CMain_Part2 part2(program, nullptr);
    CSoftware_Change softwareChange(program, nullptr);
    CSoftware software(program, nullptr);
    std::string altitude;
    CCalibration_Main calibration(program, altitude, nullptr);
    CCalibration_DryGas dryGas(program, DryGasMode::Calibrate, altitude, nullptr);
    CCalibration_Message result(program, nullptr);
    CCalibration_Time timeCheck(program, nullptr);
    CDiagnostic_Part1 diagnostics1(program, nullptr);
    CDiagnostic_Part2 diagnostics2(program, nullptr);
    QStringList unnamed;
    for (const QWidget* page : std::initializer_list<const QWidget*>{
             window.get(), &window->connectPage(), &registerPage, &userList, &part1, &part2,
             &softwareChange, &software, &calibration, &dryGas, &result, &timeCheck, &diagnostics1,
             &diagnostics2})
        unnamed << unnamedControls(*page);
    QCOMPARE(unnamed, QStringList());
}

int runWindowPagesTest(int argc, char* argv[]) {
    WindowPagesTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "window_pages_test.moc"
