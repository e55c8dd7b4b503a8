// A page's wait: the answer it waits for ends it early, input to the waiting page is
// dropped, and a window that opens during the wait still works.
#include "app/input_blocker.h"
#include "app/qt_pauser.h"
#include "link/codes.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace interlock;

class PauseTest : public QObject {
    Q_OBJECT
  private slots:
    // The answer waited for ends the wait early; another arriving first does not.
    void awaitedAnswerEndsTheWaitEarly() {
        ProgramState state;
        QtPauser pauser(state);
        const auto arrive = [&](std::uint8_t code, int ms) {
            QTimer::singleShot(ms, this, [&state, &pauser, code] {
                ++state.answersReceived[code];
                emit pauser.answerStored(code);
            });
        };
        arrive(response::TE_SERVICE, 10);
        arrive(response::TE_OPTION, 200);
        QElapsedTimer clock;
        clock.start();
        pauser.pauseForAnswer(3000, response::TE_OPTION);
        QVERIFY(clock.elapsed() >= 150 && clock.elapsed() < 1000);
    }

    void clicksOnTheWaitingPageAreDroppedButNewWindowsWork() {
        ProgramState state;
        QtPauser pauser(state);
        pauser.setHold([] { return std::make_unique<InputBlocker>(); });
        QPushButton waiting(QStringLiteral("waiting"));
        waiting.show();
        QSignalSpy waitingClicks(&waiting, &QPushButton::clicked);
        QPushButton opened(QStringLiteral("opened"));
        QSignalSpy openedClicks(&opened, &QPushButton::clicked);
        QTimer::singleShot(20, this, [&] {
            QTest::mouseClick(&waiting, Qt::LeftButton);
            opened.show();
            QTest::mouseClick(&opened, Qt::LeftButton);
        });
        pauser.pause(100);
        QCoreApplication::processEvents();
        QCOMPARE(waitingClicks.count(), 0);
        QCOMPARE(openedClicks.count(), 1);
        QTest::mouseClick(&waiting, Qt::LeftButton);
        QCOMPARE(waitingClicks.count(), 1);
    }
};

int runPauseTest(int argc, char* argv[]) {
    PauseTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "pause_test.moc"
