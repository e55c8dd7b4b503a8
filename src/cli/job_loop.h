#pragma once

#include <QEventLoop>

namespace interlock::cli {

// Lets the program run (received bytes, timers) until the job has what it waits
// for, or until a deadline.
class JobLoop {
  public:
    static constexpr int kNoDeadline = -1;

    // Runs until finish() is called, or `ms` have passed. False on the deadline.
    bool run(int ms);
    // Ends the run; called before it starts, the run does not start at all.
    void finish();

  private:
    QEventLoop loop_;
    bool finished_ = false;
};

} // namespace interlock::cli
