// The receive gatherer and the response dispatcher on any received stream. Byte 0
// sets the program's state (calibration step and check mode, a pending version
// check, the calibration page's refresh) and how the stream is cut into reads; the
// rest is the stream.
#include "fuzz_support.h"
#include "link/response_dispatcher.h"

using namespace interlock;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::uint8_t control = data[0];
    ProgramState state;
    fuzz::DiscardingChannel channel;
    state.link.setChannel(&channel);
    state.calStep = CalStep{static_cast<std::uint8_t>(control % 6)};
    state.calCheckMode = (control >> 3 & 1) != 0;
    state.versionCheckRequest = (control >> 4 & 1) != 0;
    state.calRequest.set_mode(control >> 5 & 1);
    fuzz::QueueHost host;
    ResponseDispatcher dispatcher(state, host);
    fuzz::inReads({data + 1, size - 1}, control, [&](std::span<const std::uint8_t> read) {
        dispatcher.onBytes(read);
        host.runAll();
    });
    return 0;
}
