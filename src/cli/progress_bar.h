#pragma once

#include "log/log_download.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

namespace interlock::cli {

// One line of a download's progress for a terminal: a bar, the share done, the
// event log's bytes received of its length, and the time left at the rate so far
// ("[###############...............]  50%  100020 of 200040 bytes  0:09 left").
std::string progressLine(std::uint64_t done, std::uint64_t total,
                         std::chrono::duration<double> elapsed);

// The download's progress on standard error, redrawn in place, while standard error
// is a terminal; nothing otherwise, so a log file or pipe gets only the messages.
class ProgressBar {
  public:
    explicit ProgressBar(bool shown) : shown_(shown) {}

    // The read's progress at a timer tick; shown once the event log's length is known.
    void update(const LogProgress& progress);
    // The read has ended: a complete one leaves its full bar, a failed one no bar.
    void finish(bool complete);

  private:
    void draw(const std::string& line);

    bool shown_;
    std::size_t drawnWidth_ = 0; // 0: nothing on the line
    std::optional<std::chrono::steady_clock::time_point> started_;
    std::uint64_t total_ = 0;
};

} // namespace interlock::cli
