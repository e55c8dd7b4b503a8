#include "app/qt_pauser.h"

#include <QEventLoop>
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
    const std::unique_ptr<QObject> held = hold_ ? hold_() : nullptr;
    loop.exec();
}

} // namespace interlock
