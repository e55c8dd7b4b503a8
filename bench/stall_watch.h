#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <algorithm>
#include <ctime>

namespace interlock {

// The processor time this thread has used, in ms: unlike the wall clock, it does
// not count the time other processes on a busy machine take.
inline double threadCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// The longest gap between two turns of the event loop, seen by a timer that asks
// to run every millisecond: in wall-clock time and in the thread's processor time.
class StallWatch : public QObject {
  public:
    StallWatch() {
        timer_.setTimerType(Qt::PreciseTimer);
        timer_.setInterval(1);
        connect(&timer_, &QTimer::timeout, this, &StallWatch::turn);
    }
    void start() {
        since_.start();
        cpuSince_ = threadCpuMs();
        timer_.start();
    }
    void stop() {
        turn();
        timer_.stop();
    }
    double longestMs() const { return longest_; }
    double longestCpuMs() const { return longestCpu_; }

  private:
    void turn() {
        longest_ = std::max(longest_, static_cast<double>(since_.nsecsElapsed()) / 1e6);
        const double cpu = threadCpuMs();
        longestCpu_ = std::max(longestCpu_, cpu - cpuSince_);
        since_.restart();
        cpuSince_ = cpu;
    }

    QTimer timer_;
    QElapsedTimer since_;
    double cpuSince_ = 0;
    double longest_ = 0;
    double longestCpu_ = 0;
};

} // namespace interlock
