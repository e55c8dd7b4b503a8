#pragma once

#include <QObject>

namespace interlock {

// Says when the system's serial ports may have changed: an adapter plugged in or
// pulled out. Each platform has its own file; where none is written, it never
// speaks and the port list is read only when PC Connect opens.
class PortWatcher : public QObject {
    Q_OBJECT
  public:
    explicit PortWatcher(QObject* parent = nullptr);

  signals:
    void portsMayHaveChanged();
};

} // namespace interlock
