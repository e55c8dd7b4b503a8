#pragma once

#include "link/codes.h"
#include "link/requester.h"
#include "link_fixture.h"
#include "recording_pauser.h"

#include <cstddef>
#include <functional>
#include <vector>

namespace interlock::testing {

// Records each wait; `during` may deliver the interlock's answers while a wait
// runs, as the dispatcher does between a page's requests.
class AnsweringPauser : public RecordingPauser {
  public:
    void pause(int ms) override {
        RecordingPauser::pause(ms);
        answer();
    }
    void pauseForAnswer(int ms, std::uint8_t code) override {
        RecordingPauser::pauseForAnswer(ms, code);
        answer();
    }
    std::function<void(std::size_t waitIndex)> during;

  private:
    void answer() {
        if (during)
            during(waits.size() - 1);
    }
};

// A settings page's surroundings: program state, recording link and pauser, and the
// dispatcher that stores what the interlock answers during the waits.
class SettingsTest : public LinkTest {
  protected:
    // The interlock answers the write sent before wait `n` (from 0) with `code`.
    void answerWrite(std::size_t n, std::uint8_t code) {
        pauser.during = [this, n, code](std::size_t index) {
            if (index == n)
                feed(frameOf(code));
        };
    }

    AnsweringPauser pauser;
    Requester requester{state, pauser};
};

} // namespace interlock::testing
