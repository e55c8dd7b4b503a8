#pragma once

#include "app/main_menu_logic.h"
#include "app/program.h"
#include "cli/job_loop.h"
#include "cli/job_report.h"
#include "link/write_outcome.h"

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace interlock::cli {

// A job's way to the interlock, the one a technician takes with the pages: PC
// Connect's "Connect", the opening of Main PART2, a menu command's reads. The
// program runs without windows; what it would show goes to the job's report.
// Each step says how it failed.
class InterlockSession {
  public:
    // Time for the identity answer to "Connect", and for a unit whose product line
    // was not set to take it written back.
    static constexpr int kConnectAnswerMs = 3000;

    explicit InterlockSession(JobReport& report);

    Program& program() { return program_; }
    const std::string& port() const { return port_; }

    // Opens `port`, sends the connect request and waits for the page the interlock's
    // identity asks for.
    JobFailure connect(const std::string& port);
    // Fails unless the interlock is one of the PART 2 line this program serves.
    JobFailure requirePart2() const;
    // Main PART2's opening: the settling wait, then the read of the firmware version.
    JobFailure openMenu();
    // What `command` of the menu reads before its page opens; each of `answers` must
    // come. `what` names the reads in a message.
    JobFailure runCommand(MenuCommand command, std::initializer_list<std::uint8_t> answers,
                          std::string_view what);

  private:
    // An awaited answer did not come: the line was lost, the interlock refused, or it
    // was silent.
    JobFailure unanswered(const WriteOutcome& outcome, std::string_view what) const;
    void pageAsked(PageRequest page);

    Program program_;
    std::string port_;
    PageRequest asked_ = PageRequest::None;
    JobLoop* waiting_ = nullptr;
};

} // namespace interlock::cli
