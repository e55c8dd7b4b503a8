#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

namespace interlock {

// The simulated interlock of a demo run: interlock-sim as a child process on a
// pseudo-terminal, stopped when the program ends.
class DemoInterlock {
  public:
    DemoInterlock() = default;
    ~DemoInterlock();
    DemoInterlock(const DemoInterlock&) = delete;
    DemoInterlock& operator=(const DemoInterlock&) = delete;

    // Starts the simulator with `arguments` (its own options); on failure returns
    // false with the reason in `error`.
    bool start(const QStringList& arguments, QString& error);
    // The pseudo-terminal the simulator serves.
    const QString& portPath() const { return portPath_; }

  private:
    QProcess process_;
    QString portPath_;
};

} // namespace interlock
