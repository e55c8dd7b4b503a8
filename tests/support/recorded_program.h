#pragma once

#include "app/program.h"
#include "recording_channel.h"
#include "recording_pauser.h"
#include "recording_prompter.h"

#include <cstdint>

namespace interlock::testing {

// The program on a recording channel with its waits recorded: a page runs on the
// records the test puts into the program state, nothing answers, and every frame it
// sends is kept.
struct RecordedProgram {
    RecordingPrompter prompter;
    RecordingPauser pauser;
    RecordingChannel channel;
    Program program{prompter, &pauser};

    RecordedProgram() { program.state().link.setChannel(&channel); }

    // The payload of the last frame sent with `code`; empty when none was.
    Bytes written(std::uint8_t code) const {
        for (auto frame = channel.writes.rbegin(); frame != channel.writes.rend(); ++frame) {
            if (frame->size() > 3 && (*frame)[1] == code)
                return Bytes(frame->begin() + 3, frame->begin() + 3 + (*frame)[2]);
        }
        return {};
    }
};

} // namespace interlock::testing
