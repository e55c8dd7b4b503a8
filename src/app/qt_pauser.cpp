#include "app/qt_pauser.h"

#include "app/input_blocker.h"

#include <QCursor>
#include <QEventLoop>
#include <QGuiApplication>
#include <QTimer>

namespace interlock {

void QtPauser::pause(int ms) {
    pauseForAnswer(ms, 0);
}

void QtPauser::pauseForAnswer(int ms, std::uint8_t responseCode) {
    QEventLoop loop;
    // A coarse timer may end a pause of some seconds up to 5 % early; the device
    // needs the whole time after a write.
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    if (responseCode != 0) {
        const std::uint32_t before = state_.answersReceived[responseCode];
        connect(this, &QtPauser::answerStored, &loop, [&loop, this, responseCode, before] {
            if (state_.answersReceived[responseCode] != before)
                loop.quit();
        });
    }
    // The waiting page takes no input, but a box that opens meanwhile (the version
    // notice) does; clicks on the page are dropped, not delivered after the wait.
    const InputBlocker blocker;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    loop.exec();
    QGuiApplication::restoreOverrideCursor();
}

} // namespace interlock
