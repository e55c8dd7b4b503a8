#include "cli/interlock_session.h"

#include "app/port_list.h"
#include "app/program_channel_opener.h"
#include "link/codes.h"
#include "link/write_failure.h"
#include "log/log_duties.h"

#include <array>

namespace interlock::cli {

InterlockSession::InterlockSession(JobReport& report) : program_(report) {
    // The pages the interlock's identity asks for: the job goes on in their stead.
    for (const PageRequest page : {PageRequest::MainPart2, PageRequest::SoftwareChange})
        program_.launcher().registerPage(page, [this, page] { pageAsked(page); });
    QObject::connect(&program_.channel(), &CComm::portLost, &program_, [this] {
        if (waiting_)
            waiting_->finish();
    });
    // The main timer's duties run as they do behind the pages: the log download's
    // watchdog is registered before the timer starts.
    registerLogDuties(program_);
    program_.startTimer();
}

void InterlockSession::pageAsked(PageRequest page) {
    asked_ = page;
    if (waiting_)
        waiting_->finish();
}

JobFailure InterlockSession::connect(const std::string& port) {
    port_ = port;
    ProgramState& state = program_.state();
    ProgramChannelOpener opener(program_);
    const ConnectVerdict verdict =
        connectToInterlock(state, opener, port, false, comPortNames());
    if (!verdict.connected) {
        std::string message = verdict.message;
        if (!verdict.detail.empty())
            message += "\n" + verdict.detail;
        return {ExitStatus::NoSuchPort, message};
    }
    const WriteOutcome outcome(state);
    JobLoop loop;
    waiting_ = &loop;
    loop.run(kConnectAnswerMs);
    waiting_ = nullptr;
    if (asked_ == PageRequest::None)
        return unanswered(outcome, "the connect request");
    return {};
}

JobFailure InterlockSession::requirePart2() const {
    if (asked_ == PageRequest::MainPart2)
        return {};
    return {ExitStatus::OtherProductLine, std::string(kSoftwareMismatch)};
}

JobFailure InterlockSession::openMenu() {
    ProgramState& state = program_.state();
    const WriteOutcome outcome(state);
    const std::uint32_t before = state.answersReceived[response::TE_INFO];
    beginMenu(state); // firmware-update mode is never on for a job
    finishMenuInit(program_.requester());
    program_.requester().awaitAnswer(response::TE_INFO, Requester::kReadWaitMs);
    if (state.answersReceived[response::TE_INFO] == before)
        return unanswered(outcome, "the firmware version read");
    return {};
}

JobFailure InterlockSession::runCommand(MenuCommand command,
                                        std::initializer_list<std::uint8_t> answers,
                                        std::string_view what) {
    ProgramState& state = program_.state();
    const WriteOutcome outcome(state);
    const std::array<std::uint32_t, 256> before = state.answersReceived;
    runCommandReads(command, program_.requester());
    for (const std::uint8_t code : answers) {
        if (state.answersReceived[code] == before[code])
            return unanswered(outcome, what);
    }
    return {};
}

JobFailure InterlockSession::unanswered(const WriteOutcome& outcome, std::string_view what) const {
    const std::string step(what);
    if (outcome.lineLost())
        return {ExitStatus::LinkLost, lineLostMessage("no answer came to " + step + ".")};
    if (outcome.refused())
        return {ExitStatus::Refused, "The interlock on " + port_ + " refused " + step + "."};
    return {ExitStatus::NoAnswer, "The interlock on " + port_ + " did not answer " + step + "."};
}

} // namespace interlock::cli
