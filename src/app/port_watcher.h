#pragma once

#include <QObject>

namespace interlock {

// Says when the system's serial ports may have changed: an adapter plugged in or
// pulled out. Each platform has its own file (port_watcher_linux.cpp,
// port_watcher_win.cpp); where it cannot watch, the port list is read when PC Connect
// opens.
class PortWatcher : public QObject {
    Q_OBJECT
  public:
    explicit PortWatcher(QObject* parent = nullptr);

  signals:
    void portsMayHaveChanged();
};

} // namespace interlock
