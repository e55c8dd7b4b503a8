// Login, Register and User List pages over a user file in a temporary folder.
#include "app/pc_connect_page.h"
#include "app/register_page.h"
#include "app/user_accounts.h"
#include "app/user_delete_page.h"
#include "page_fixture.h"
#include "page_script.h"

#include <QHeaderView>
#include <QTest>

using namespace interlock;

namespace {
// "Delete ID" on the Register page opens the User List.
void openUserList(CRegister_Dlg& page) {
    clickLater(buttonWithText(page, QStringLiteral("Delete ID")));
}

const QString kWrongCodeMessage =
    QStringLiteral("The master code you enterd is not valid. Verify that it was enterd correctly "
                   "and try again");
const QString kRightCode = QStringLiteral("MSTQXZ402715");
const QByteArray kFiveAccounts = "ann\tp1\r\nbob\tp2\r\ncid\tp3\r\ndan\tp4\r\neve\tp5\r\n";

QStringList listedIds(const CUser_Delete_Dlg& page) {
    QStringList ids;
    for (int row = 0; row < page.list()->rowCount(); ++row)
        ids << page.list()->item(row, 1)->text();
    return ids;
}

void clickRow(const CUser_Delete_Dlg& page, int row) {
    QTableWidget* list = page.list();
    const QRect cell = list->visualRect(list->model()->index(row, 1));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
}
} // namespace

class AccountPagesTest : public QObject {
    Q_OBJECT
  private slots:
    void loginOpensPcConnectWithTheExtraPortSelected();
    void registerWithWrongMasterCodeKeepsNameAndPassword();
    void registerWithMasterCodeAddsTheAccount();
    void deleteShiftsTheRowsAndRewritesTheFile();
    void deleteWithOnlyTheFocusInTheListChangesNothing();
};

void AccountPagesTest::loginOpensPcConnectWithTheExtraPortSelected() {
    PageFixture fixture;
    const QString port = QStringLiteral("/dev/interlock-extra-port");
    auto window = fixture.openWindow({port.toStdString()});
    PageScript script;
    script.then<CPC_Connect_Dlg>([&](CPC_Connect_Dlg& page) {
        QVERIFY(window->isMinimized());
        QCOMPARE(page.windowTitle(), QStringLiteral("PC Connect"));
        QCOMPARE(page.portList()->itemText(0), port);
        QCOMPARE(page.portList()->currentIndex(), 0);
        page.reject();
    });
    PageFixture::logIn(*window, QStringLiteral("tech"), QStringLiteral("secret"));
    QVERIFY2(script.finished(), qPrintable(script.failure()));
    QVERIFY(!window->isMinimized());
}

void AccountPagesTest::registerWithWrongMasterCodeKeepsNameAndPassword() {
    PageFixture fixture;
    const QByteArray before = fixture.userFileBytes();
    auto window = fixture.openWindow();
    PageScript script;
    script.then<CRegister_Dlg>([&](CRegister_Dlg& page) {
        page.userNameEdit()->setText(QStringLiteral("newbie"));
        page.passwordEdit()->setText(QStringLiteral("pw"));
        page.masterCodeEdit()->setText(QStringLiteral("MSTQXZ402716"));
        buttonWithText(page, QStringLiteral("O K"))->click();
        QCOMPARE(fixture.prompter.messages, QStringList{kWrongCodeMessage});
        QCOMPARE(page.masterCodeEdit()->text(), QString());
        QCOMPARE(page.userNameEdit()->text(), QStringLiteral("newbie"));
        QCOMPARE(page.passwordEdit()->text(), QStringLiteral("pw"));
        QVERIFY(page.isVisible());
        page.reject();
    });
    window->registerButton()->click();
    QVERIFY2(script.finished(), qPrintable(script.failure()));
    QCOMPARE(fixture.userFileBytes(), before);
}

void AccountPagesTest::registerWithMasterCodeAddsTheAccount() {
    PageFixture fixture;
    auto window = fixture.openWindow();
    {
        PageScript script;
        script.then<CRegister_Dlg>([&](CRegister_Dlg& page) {
            page.userNameEdit()->setText(QStringLiteral("newbie"));
            page.passwordEdit()->setText(QStringLiteral("pw"));
            page.masterCodeEdit()->setText(kRightCode);
            buttonWithText(page, QStringLiteral("O K"))->click();
            QVERIFY(!page.isVisible());
        });
        window->registerButton()->click();
        QVERIFY2(script.finished(), qPrintable(script.failure()));
    }
    QCOMPARE(fixture.userFileLines(),
             (QStringList{QStringLiteral("tech\tsecret"), QStringLiteral("newbie\tpw")}));
    QVERIFY(fixture.prompter.messages.isEmpty());

    // The new account logs in at once.
    PageScript login;
    login.then<CPC_Connect_Dlg>([](CPC_Connect_Dlg& page) { page.reject(); });
    PageFixture::logIn(*window, QStringLiteral("newbie"), QStringLiteral("pw"));
    QVERIFY2(login.finished(), qPrintable(login.failure()));
}

void AccountPagesTest::deleteShiftsTheRowsAndRewritesTheFile() {
    PageFixture fixture;
    fixture.writeUsers(kFiveAccounts);
    auto window = fixture.openWindow();
    PageScript script;
    script.then<CRegister_Dlg>(openUserList)
        .then<CUser_Delete_Dlg>([&](CUser_Delete_Dlg& page) {
            QCOMPARE(page.height(), 500);
            QCOMPARE(page.width(), window->width());
            QCOMPARE(page.list()->rowCount(), 20);
            QCOMPARE(page.list()->item(19, 0)->text(), QStringLiteral("20"));
            clickRow(page, 2);
            page.masterCodeEdit()->setText(kRightCode);
            buttonWithText(page, QStringLiteral("O K"))->click();
            QStringList expected{"ann", "bob", "dan", "eve"};
            while (expected.size() < 20)
                expected << QString();
            QCOMPARE(listedIds(page), expected);
            QCOMPARE(page.selectedRow(), kNoRowSelected);
            QVERIFY(page.isVisible());
            page.reject();
        })
        .then<CRegister_Dlg>([](CRegister_Dlg& page) { page.reject(); });
    window->registerButton()->click();
    QVERIFY2(script.finished(), qPrintable(script.failure()));
    QVERIFY(fixture.prompter.messages.isEmpty());
    QStringList lines{"ann\tp1", "bob\tp2", "dan\tp4", "eve\tp5"};
    while (lines.size() < 20)
        lines << QStringLiteral("\t");
    QCOMPARE(fixture.userFileLines(), lines);
}

// The keyboard focus in the list alone selects no row: with the right code, still
// nothing is deleted.
void AccountPagesTest::deleteWithOnlyTheFocusInTheListChangesNothing() {
    PageFixture fixture;
    fixture.writeUsers(kFiveAccounts);
    auto window = fixture.openWindow();
    PageScript script;
    script.then<CRegister_Dlg>(openUserList)
        .then<CUser_Delete_Dlg>([&](CUser_Delete_Dlg& page) {
            const QStringList before = listedIds(page);
            page.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&page));
            page.list()->setFocus(Qt::TabFocusReason);
            QTRY_VERIFY(page.list()->hasFocus());
            page.masterCodeEdit()->setText(kRightCode);
            buttonWithText(page, QStringLiteral("O K"))->click();
            QCOMPARE(fixture.prompter.messages, QStringList{kWrongCodeMessage});
            QCOMPARE(page.masterCodeEdit()->text(), QString());
            QCOMPARE(listedIds(page), before);
            page.reject();
        })
        .then<CRegister_Dlg>([](CRegister_Dlg& page) { page.reject(); });
    window->registerButton()->click();
    QVERIFY2(script.finished(), qPrintable(script.failure()));
    QCOMPARE(fixture.userFileBytes(), kFiveAccounts);
}

int runAccountPagesTest(int argc, char* argv[]) {
    AccountPagesTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "account_pages_test.moc"
