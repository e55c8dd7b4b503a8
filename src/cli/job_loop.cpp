#include "cli/job_loop.h"

#include <QTimer>

namespace interlock::cli {

bool JobLoop::run(int ms) {
    if (finished_)
        return true;
    QTimer deadline;
    bool late = false;
    if (ms != kNoDeadline) {
        deadline.setSingleShot(true);
        QObject::connect(&deadline, &QTimer::timeout, &loop_, [this, &late] {
            late = true;
            loop_.quit();
        });
        deadline.start(ms);
    }
    loop_.exec();
    return !late;
}

void JobLoop::finish() {
    finished_ = true;
    loop_.quit();
}

} // namespace interlock::cli
