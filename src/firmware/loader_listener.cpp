#include "firmware/loader_listener.h"

#include "link/trace.h"

#include <algorithm>
#include <string_view>

namespace interlock {

namespace {
constexpr std::string_view kReady = "Ready\r\n";
} // namespace

bool LoaderListener::onBytes(ReceiveRing& ring) {
    if (ring.pending == 0)
        return false;
    while (ring.pending > 0) {
        const char c = static_cast<char>(ring.at(0));
        std::shift_left(window_.begin(), window_.end(), 1);
        window_.back() = c;
        trace("%c", c);
        if (std::string_view(window_.data(), window_.size()) == kReady) {
            trace("Compare OK\r\n");
            state_.fwTransferState = 0;
        }
        ring.consume(1);
    }
    return state_.fwTransferState == 0 && !state_.closeMenuRequest;
}

} // namespace interlock
