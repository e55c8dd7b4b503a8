#pragma once

#include "link/codes.h"
#include "link/requester.h"
#include "link_fixture.h"

#include <cstddef>
#include <functional>
#include <vector>

namespace interlock::testing {

// Records each wait instead of sleeping; `during` may deliver the interlock's
// answers while a wait runs, as the dispatcher does between a page's requests.
class AnsweringPauser : public Pauser {
  public:
    struct Wait {
        int ms;
        std::uint8_t awaited; // 0: the full time
        bool operator==(const Wait&) const = default;
    };
    void pause(int ms) override { wait({ms, 0}); }
    void pauseForAnswer(int ms, std::uint8_t code) override { wait({ms, code}); }

    std::vector<Wait> waits;
    std::function<void(std::size_t waitIndex)> during;

  private:
    void wait(Wait w) {
        waits.push_back(w);
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
    // The request codes sent, in order.
    std::vector<std::uint8_t> sentCodes() const {
        std::vector<std::uint8_t> codes;
        for (const Bytes& frame : channel.writes)
            codes.push_back(frame.at(1));
        return codes;
    }

    AnsweringPauser pauser;
    Requester requester{state, pauser};
};

} // namespace interlock::testing
