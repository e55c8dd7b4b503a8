#include "app/page_launcher.h"

#include "link/trace.h"

namespace interlock {

namespace {
constexpr int kDefaultTraceNumber = 4214;

bool isPage(PageRequest request) {
    switch (request) {
    case PageRequest::SoftwareChange:
    case PageRequest::MainPart1:
    case PageRequest::MainPart2:
    case PageRequest::Test:
        return true;
    case PageRequest::None:
        break;
    }
    return false;
}
} // namespace

PageLauncher::PageLauncher(ProgramState& state, QObject* parent) : QObject(parent), state_(state) {}

void PageLauncher::registerPage(PageRequest page, std::function<void()> run) {
    pages_[page] = std::move(run);
}

void PageLauncher::openRequested() {
    if (running_)
        return;
    running_ = true;
    while (state_.dlg_enum != PageRequest::None) {
        const PageRequest page = state_.dlg_enum;
        state_.dlg_enum = PageRequest::None;
        if (!isPage(page)) {
            trace("dlg_enum default [%d]\r\n", kDefaultTraceNumber);
            continue;
        }
        // The page resets dlg_enum when it opens; a page that is not built yet
        // must not keep the launcher asking for it.
        const auto found = pages_.find(page);
        if (found != pages_.end())
            found->second();
    }
    running_ = false;
}

} // namespace interlock
