#include "cli/job_report.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstdio>

namespace interlock::cli {

void JobReport::message(const std::string& text, const std::string& detail) {
    said_.push_back(detail.empty() ? text : text + "\n" + detail);
}

int JobReport::fail(const JobFailure& failure) {
    // A lost line is told from the event loop a moment later: let it be said.
    QCoreApplication::processEvents();
    std::vector<std::string> lines = said_;
    if (!failure.message.empty() &&
        std::find(lines.begin(), lines.end(), failure.message) == lines.end())
        lines.push_back(failure.message);
    for (const std::string& line : lines) {
        std::fputs(line.c_str(), stderr);
        std::fputc('\n', stderr);
    }
    std::fflush(stderr);
    return exitCode(failure.status);
}

} // namespace interlock::cli
