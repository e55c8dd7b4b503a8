// A page's wait: the answer it waits for ends it early, input to the waiting page is
// dropped, and a window that opens during the wait still works.
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
    void storedAnswerEndsTheWaitEarly() {
        ProgramState state;
        QtPauser pauser(state);
        QTimer::singleShot(20, this, [&] {
            ++state.answersReceived[response::TE_OPTION];
            emit pauser.answerStored(response::TE_OPTION);
        });
        QElapsedTimer clock;
        clock.start();
        pauser.pauseForAnswer(3000, response::TE_OPTION);
        QVERIFY(clock.elapsed() < 1000);
    }

    void otherAnswersDoNotEndTheWait() {
        ProgramState state;
        QtPauser pauser(state);
        QTimer::singleShot(10, this, [&] {
            ++state.answersReceived[response::TE_SERVICE];
            emit pauser.answerStored(response::TE_SERVICE);
        });
        QElapsedTimer clock;
        clock.start();
        pauser.pauseForAnswer(200, response::TE_OPTION);
        QVERIFY(clock.elapsed() >= 200);
    }

    void clicksOnTheWaitingPageAreDroppedButNewWindowsWork() {
        ProgramState state;
        QtPauser pauser(state);
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
