#pragma once

#include "app/prompter.h"
#include "cli/exit_status.h"

#include <string>
#include <vector>

namespace interlock::cli {

// A job's failure: its exit status and the message the page would have shown
// (empty when the program has said it already).
struct JobFailure {
    ExitStatus status = ExitStatus::Done;
    std::string message{};

    explicit operator bool() const { return status != ExitStatus::Done; }
};

// What a command-line job tells its caller. It stands in for the message boxes:
// what the program says while a job runs is kept, and a failed job prints it on
// standard error, in order, followed by its own last word.
class JobReport final : public Prompter {
  public:
    // A message box's text, with its detail on the next line.
    void message(const std::string& text, const std::string& detail = {}) override;
    // A job never asks for a file: the command line names it.
    std::string openFileName(const std::string&, const std::string&) override { return {}; }
    std::string saveFileName(const std::string&, const std::string&) override { return {}; }

    // Prints what was said and `failure`'s message on standard error; returns its
    // exit status.
    int fail(const JobFailure& failure);

  private:
    std::vector<std::string> said_;
};

} // namespace interlock::cli
