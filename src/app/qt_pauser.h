#pragma once

#include "link/pauser.h"
#include "link/program_state.h"

#include <QObject>

namespace interlock {

// Waits in a local event loop: received bytes and timers go on, user input to the
// pages is held back and the cursor shows that the program is busy.
class QtPauser : public QObject, public Pauser {
    Q_OBJECT
  public:
    explicit QtPauser(const ProgramState& state) : state_(state) {}

    void pause(int ms) override;
    void pauseForAnswer(int ms, std::uint8_t responseCode) override;

  signals:
    // Emitted by the dispatcher's host after each stored answer.
    void answerStored(std::uint8_t code);

  private:
    const ProgramState& state_;
};

} // namespace interlock
