#include "cli/progress_bar.h"

#include "link/formatted.h"

#include <algorithm>
#include <cstdio>

namespace interlock::cli {

namespace {
constexpr int kBarWidth = 30;
// Before this much of the log has come, the rate says little about the time left.
constexpr double kRateSettlingSeconds = 0.5;
} // namespace

std::string progressLine(std::uint64_t done, std::uint64_t total,
                         std::chrono::duration<double> elapsed) {
    done = std::min(done, total);
    const double share = total == 0 ? 1.0 : static_cast<double>(done) / static_cast<double>(total);
    const int filled = static_cast<int>(share * kBarWidth);
    std::string line(1, '[');
    line.append(static_cast<std::size_t>(filled), '#');
    line.append(static_cast<std::size_t>(kBarWidth - filled), '.');
    line += ']';
    line +=
        formatted(" %3d%%  %llu of %llu bytes  ", static_cast<int>(share * 100),
                  static_cast<unsigned long long>(done), static_cast<unsigned long long>(total));
    if (done == 0 || elapsed.count() < kRateSettlingSeconds) {
        line += "-:-- left";
        return line;
    }
    const double rate = static_cast<double>(done) / elapsed.count();
    const auto left = static_cast<long long>(static_cast<double>(total - done) / rate + 0.5);
    line += formatted("%lld:%02lld left", left / 60, left % 60);
    return line;
}

void ProgressBar::update(const LogProgress& progress) {
    if (!shown_ || progress.section != LogSection::Events || progress.bodySize == 0)
        return;
    const auto now = std::chrono::steady_clock::now();
    if (!started_)
        started_ = now;
    total_ = progress.bodySize;
    draw(progressLine(progress.bodyBytes, total_, now - *started_));
}

void ProgressBar::finish(bool complete) {
    if (drawnWidth_ == 0)
        return;
    if (complete) {
        draw(progressLine(total_, total_, std::chrono::steady_clock::now() - *started_));
        std::fputc('\n', stderr);
    } else {
        std::fprintf(stderr, "\r%*s\r", static_cast<int>(drawnWidth_), "");
    }
    std::fflush(stderr);
    drawnWidth_ = 0;
}

void ProgressBar::draw(const std::string& line) {
    // A shorter line than the last one would leave the last one's end standing.
    const std::size_t width = std::max(line.size(), drawnWidth_);
    std::fprintf(stderr, "\r%-*s", static_cast<int>(width), line.c_str());
    std::fflush(stderr);
    drawnWidth_ = width;
}

} // namespace interlock::cli
