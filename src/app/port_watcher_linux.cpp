#include "app/port_watcher.h"

#include <QFileSystemWatcher>

namespace interlock {

PortWatcher::PortWatcher(QObject* parent) : QObject(parent) {
    // A serial adapter's device node appears in /dev when it is plugged in and goes
    // when it is pulled; the kernel reports both, nothing is polled.
    auto* devices = new QFileSystemWatcher(this);
    devices->addPath(QStringLiteral("/dev"));
    connect(devices, &QFileSystemWatcher::directoryChanged, this,
            &PortWatcher::portsMayHaveChanged);
}

} // namespace interlock
