#pragma once

#include "link/requester.h"
#include "link_fixture.h"
#include "recording_pauser.h"

#include <cstdint>
#include <span>
#include <vector>

namespace interlock::testing {

// Program state on a recording channel, with a requester that records its waits.
class PageCoreTest : public LinkTest {
  protected:
    using Wait = RecordingPauser::Wait;

    // The frame a page writes for a record.
    static Bytes frameOfRecord(std::uint8_t code, std::span<const std::uint8_t> record) {
        return frameOf(code, Bytes(record.begin(), record.end()));
    }
    void clearRecords() {
        channel.writes.clear();
        pauser.waits.clear();
    }

    RecordingPauser pauser;
    Requester requester{state, pauser};
};

} // namespace interlock::testing
