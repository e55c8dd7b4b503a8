#include "app/page_launcher.h"

#include "link/trace.h"

namespace interlock {

namespace {
constexpr int kPollMs = 20;
constexpr int kDefaultTraceNumber = 4214;
} // namespace

PageLauncher::PageLauncher(ProgramState& state, QObject* parent) : QObject(parent), state_(state) {
    timer_.setInterval(kPollMs);
    connect(&timer_, &QTimer::timeout, this, &PageLauncher::poll);
}

void PageLauncher::registerPage(std::int32_t dlgEnum, std::function<void()> run) {
    pages_[dlgEnum] = std::move(run);
}

void PageLauncher::start() {
    timer_.start();
}

void PageLauncher::poll() {
    if (running_)
        return;
    running_ = true;
    while (state_.dlg_enum != DLG_NONE) {
        const std::int32_t page = state_.dlg_enum;
        if (page < DLG_SOFTWARE_CHANGE || page > DLG_TEST) {
            state_.dlg_enum = DLG_NONE;
            trace("dlg_enum default [%d]\r\n", kDefaultTraceNumber);
            continue;
        }
        const auto found = pages_.find(page);
        // The page resets dlg_enum when it opens; a page that is not built yet
        // must not keep the launcher asking for it.
        state_.dlg_enum = DLG_NONE;
        if (found != pages_.end())
            found->second();
    }
    running_ = false;
}

} // namespace interlock
