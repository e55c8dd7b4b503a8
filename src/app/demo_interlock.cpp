#include "app/demo_interlock.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace interlock {

namespace {
constexpr int kStartMs = 5000;

// Next to the program when installed; in the build tree where CMake put it.
QString simulatorExecutable() {
    const QString besideUs = QCoreApplication::applicationDirPath() + "/interlock-sim";
    if (QFileInfo(besideUs).isExecutable())
        return besideUs;
    return QStringLiteral(INTERLOCK_SIM_EXECUTABLE);
}
} // namespace

DemoInterlock::~DemoInterlock() {
    if (process_.state() == QProcess::NotRunning)
        return;
    process_.terminate();
    if (!process_.waitForFinished(2000))
        process_.kill();
    process_.waitForFinished(1000);
}

bool DemoInterlock::start(const QStringList& arguments, QString& error) {
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.start(simulatorExecutable(), arguments);
    if (!process_.waitForStarted(kStartMs)) {
        error = process_.errorString();
        return false;
    }
    while (!process_.canReadLine()) {
        if (!process_.waitForReadyRead(kStartMs)) {
            error = QStringLiteral("the simulator did not name its port");
            return false;
        }
    }
    portPath_ = QString::fromLocal8Bit(process_.readLine()).trimmed();
    return !portPath_.isEmpty();
}

} // namespace interlock
