#pragma once

#include "link/requester.h"
#include "link_fixture.h"
#include "recording_pauser.h"

namespace interlock::testing {

using Wait = RecordingPauser::Wait;

// Program state on a recording channel, with the dispatcher and a requester whose
// waits are recorded instead of slept.
class CalibTest : public LinkTest {
  protected:
    RecordingPauser pauser;
    Requester requester{state, pauser};
};

} // namespace interlock::testing
