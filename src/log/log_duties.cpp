#include "log/log_duties.h"

#include "app/program.h"
#include "log/log_timer_duties.h"

namespace interlock {

namespace {
// The log's duties tell whoever listens through the program's signals.
class ProgramLogHost final : public LogTimerHost {
  public:
    explicit ProgramLogHost(Program& program) : program_(program) {}
    void showMessage(const std::string& text) override { program_.prompter().message(text); }
    void refreshDownloadPage() override { emit program_.downloadRefresh(); }
    void failLogDownload() override { emit program_.downloadFailed(); }

  private:
    Program& program_;
};
} // namespace

void registerLogDuties(Program& program) {
    program.duties().timer.push_back([&program](ProgramState& state) {
        ProgramLogHost host(program);
        logMessageCountdown(state, host);
        logDownloadWatchdog(state, host);
    });
}

} // namespace interlock
