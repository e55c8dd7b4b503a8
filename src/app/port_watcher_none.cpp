#include "app/port_watcher.h"

namespace interlock {

// No watcher on this platform: the port list is read when PC Connect opens.
PortWatcher::PortWatcher(QObject* parent) : QObject(parent) {}

} // namespace interlock
