#pragma once

#include "link/program_state.h"

#include <QObject>

#include <functional>
#include <map>

namespace interlock {

// Opens the page that dlg_enum asks for, modally, one at a time: the software
// change page, Main PART1, Main PART2 or the test page. The program tells it when
// dlg_enum has been stored.
class PageLauncher : public QObject {
    Q_OBJECT
  public:
    explicit PageLauncher(ProgramState& state, QObject* parent = nullptr);

    // `run` opens the page modally and returns when it has closed.
    void registerPage(PageRequest page, std::function<void()> run);

  public slots:
    // Opens pages while dlg_enum asks for one; does nothing while a page is open
    // (the open one's loop looks again once it has closed).
    void openRequested();

  private:
    ProgramState& state_;
    std::map<PageRequest, std::function<void()>> pages_;
    bool running_ = false;
};

} // namespace interlock
