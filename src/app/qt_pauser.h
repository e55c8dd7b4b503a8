#pragma once

#include "link/pauser.h"
#include "link/program_state.h"

#include <QObject>

#include <functional>
#include <memory>

namespace interlock {

// Waits in a local event loop: received bytes and timers go on. A program with
// windows gives it a hold, which keeps user input from the waiting pages for the
// length of each wait; the command line has no windows and needs none.
class QtPauser : public QObject, public Pauser {
    Q_OBJECT
  public:
    // Made when a wait starts, destroyed when it ends.
    using Hold = std::function<std::unique_ptr<QObject>()>;

    explicit QtPauser(const ProgramState& state) : state_(state) {}

    void pause(int ms) override;
    void pauseForAnswer(int ms, std::uint8_t responseCode) override;
    void setHold(Hold hold) { hold_ = std::move(hold); }

  signals:
    // Emitted by the dispatcher's host after each stored answer.
    void answerStored(std::uint8_t code);

  private:
    const ProgramState& state_;
    Hold hold_;
};

} // namespace interlock
