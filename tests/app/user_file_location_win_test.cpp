// On Windows the user file is c:/user.txt, where technicians' earlier installs kept it.
#include "app/user_file_location.h"

#include <QTest>

#include <filesystem>

using namespace interlock;

class UserFileLocationTest : public QObject {
    Q_OBJECT
  private slots:
    void userFileIsAtTheRootOfDriveC();
};

void UserFileLocationTest::userFileIsAtTheRootOfDriveC() {
    QCOMPARE(userFilePath(), std::filesystem::path("c:/user.txt"));
}

int runUserFileLocationTest(int argc, char* argv[]) {
    UserFileLocationTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "user_file_location_win_test.moc"
