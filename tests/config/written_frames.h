#pragma once

#include "link/codes.h"
#include "link/requester.h"
#include "link_fixture.h"
#include "recording_pauser.h"

#include <cstdint>
#include <functional>
#include <map>
#include <span>
#include <vector>

namespace interlock::testing {

// Records the waits; during the wait numbered in `answers` (from 0) the interlock's
// answer given there arrives.
class AnsweringPauser : public RecordingPauser {
  public:
    AnsweringPauser() {
        meanwhile = [this](std::size_t wait) {
            if (const auto found = answers.find(wait); found != answers.end() && deliver)
                deliver(found->second);
            if (const auto lost = lineLosses.find(wait); lost != lineLosses.end())
                lost->second();
        };
    }
    std::map<std::size_t, Bytes> answers;
    std::function<void(const Bytes&)> deliver;
    // Waits (from 0) during which the line to the interlock drops.
    std::map<std::size_t, std::function<void()>> lineLosses;
};

// Program state on a recording channel, with a requester whose waits are recorded
// and may bring answers.
class PageCoreTest : public LinkTest {
  protected:
    using Wait = RecordingPauser::Wait;

    PageCoreTest() {
        pauser.deliver = [this](const Bytes& bytes) { feed(bytes); };
    }
    // The frame a page writes for a record.
    static Bytes frameOfRecord(std::uint8_t code, std::span<const std::uint8_t> record) {
        return frameOf(code, Bytes(record.begin(), record.end()));
    }
    // The interlock refuses what is sent before the wait numbered `wait`.
    void refuseDuringWait(std::size_t wait) { pauser.answers[wait] = frameOf(response::NACK); }
    // The line drops while the page waits after what it sent before wait `wait`.
    void loseLineDuringWait(std::size_t wait) {
        pauser.lineLosses[wait] = [this] { ++state.linesLost; };
    }
    void clearRecords() {
        channel.writes.clear();
        pauser.waits.clear();
        pauser.answers.clear();
        pauser.lineLosses.clear();
    }

    AnsweringPauser pauser;
    Requester requester{state, pauser};
};

} // namespace interlock::testing
