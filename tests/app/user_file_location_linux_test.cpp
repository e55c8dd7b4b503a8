// The user file lives in the user's config folder: $XDG_CONFIG_HOME, else ~/.config.
#include "app/user_file_location.h"

#include <QTemporaryDir>
#include <QTest>

#include <filesystem>

using namespace interlock;

class UserFileLocationTest : public QObject {
    Q_OBJECT
  private slots:
    void userFileFollowsTheConfigHome();
};

void UserFileLocationTest::userFileFollowsTheConfigHome() {
    const QByteArray savedConfig = qgetenv("XDG_CONFIG_HOME");
    const QByteArray savedHome = qgetenv("HOME");
    QTemporaryDir folder;
    const std::filesystem::path top = folder.path().toStdString();
    qputenv("XDG_CONFIG_HOME", (folder.path() + "/xdg").toLocal8Bit());
    qputenv("HOME", (folder.path() + "/home").toLocal8Bit());
    const std::filesystem::path withXdg = userFilePath();
    qunsetenv("XDG_CONFIG_HOME");
    const std::filesystem::path withoutXdg = userFilePath();
    qputenv("XDG_CONFIG_HOME", savedConfig);
    qputenv("HOME", savedHome);

    QCOMPARE(withXdg, top / "xdg/interlock-service/user.txt");
    QCOMPARE(withoutXdg, top / "home/.config/interlock-service/user.txt");
    QVERIFY(std::filesystem::is_directory(withoutXdg.parent_path()));
}

int runUserFileLocationTest(int argc, char* argv[]) {
    UserFileLocationTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "user_file_location_linux_test.moc"
