#pragma once

#include "link/program_state.h"

#include <QObject>
#include <QTimer>

#include <functional>
#include <map>

namespace interlock {

// Opens the page that dlg_enum asks for, modally, one at a time: 1 software change,
// 2 Main PART1, 3 Main PART2, 4 test page. It looks at dlg_enum every few
// milliseconds, so a value stored anywhere is acted on promptly.
class PageLauncher : public QObject {
    Q_OBJECT
  public:
    explicit PageLauncher(ProgramState& state, QObject* parent = nullptr);

    // `run` opens the page modally and returns when it has closed.
    void registerPage(std::int32_t dlgEnum, std::function<void()> run);
    void start();
    // Opens pages while dlg_enum asks for one; does nothing while a page is open.
    void poll();

  private:
    ProgramState& state_;
    std::map<std::int32_t, std::function<void()>> pages_;
    QTimer timer_;
    bool running_ = false;
};

} // namespace interlock
