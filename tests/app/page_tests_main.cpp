// Runs the page tests on one QApplication; the user's own config folder is never used.
#include <QApplication>
#include <QTemporaryDir>

int runAccountPagesTest(int argc, char* argv[]);
int runConnectPagesTest(int argc, char* argv[]);
int runWindowPagesTest(int argc, char* argv[]);
int runPauseTest(int argc, char* argv[]);
int runReadableValuesTest(int argc, char* argv[]);
int runUserFileLocationTest(int argc, char* argv[]);

int main(int argc, char* argv[]) {
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    QApplication app(argc, argv);
    int failed = 0;
    for (auto run : {runAccountPagesTest, runConnectPagesTest, runWindowPagesTest, runPauseTest,
                     runReadableValuesTest, runUserFileLocationTest})
        failed += run(argc, argv);
    return failed;
}
