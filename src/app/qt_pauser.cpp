#include "app/qt_pauser.h"

#include <QCursor>
#include <QEventLoop>
#include <QGuiApplication>
#include <QTimer>

namespace interlock {

void QtPauser::pause(int ms) { pauseForAnswer(ms, 0); }

void QtPauser::pauseForAnswer(int ms, std::uint8_t responseCode) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    if (responseCode != 0) {
        const std::uint32_t before = state_.answersReceived[responseCode];
        connect(this, &QtPauser::answerStored, &loop, [&loop, this, responseCode, before] {
            if (state_.answersReceived[responseCode] != before)
                loop.quit();
        });
    }
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    QGuiApplication::restoreOverrideCursor();
}

} // namespace interlock
