// The login window's own texts.
#include "app/main_menu_page.h"
#include "page_fixture.h"
#include "page_script.h"

#include <QAction>
#include <QMessageBox>
#include <QTest>

using namespace interlock;

class WindowPagesTest : public QObject {
    Q_OBJECT
  private slots:
    void titleSaysWhenTheInterlockIsSimulated();
    void aboutActionShowsTheVersion();
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

int runWindowPagesTest(int argc, char* argv[]) {
    WindowPagesTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "window_pages_test.moc"
