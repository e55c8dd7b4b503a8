#include "log/event_wording.h"

namespace interlock {

std::optional<EventWording> part2Wording(std::uint8_t code, std::uint8_t p) {
    using enum EventTail;
    switch (code) {
    case 0x10:
    case 0x11:
        return EventWording{" \tBreathing test Passed\t", Value};
    case 0x12:
        return EventWording{" \tBreathing test Failed\t", Value};
    case 0x19:
        return EventWording{p == 0 ? " \tDisconnecting handset from control unit\r\n"
                                   : " \tConnecting handset from control unit\r\n",
                            None};
    case 0x1A:
    case 0x1B:
        return EventWording{" \tRecurring breathing test Passed\t", Value};
    case 0x1C:
        return EventWording{" \tRecurring breathing test Failed\t", Value};
    case 0x20:
        return EventWording{" \tRecurring breathing test\t", ErrorCode};
    case 0x27:
        return EventWording{" \tConnection of power supply", Seconds};
    case 0x2D:
        return EventWording{" \tDisconnection of power supply\r\n", None};
    case 0x30:
        return EventWording{" \tEngine Run\r\n", None};
    case 0x31:
        return EventWording{p == 0 ? " \tStart of vehicle not allowed\r\n"
                                   : " \tStart of vehicle allowed\r\n",
                            None};
    case 0x32:
        return EventWording{" \tMovement detected\r\n", None};
    case 0x55:
    case 0x7A:
    case 0x7B:
        return EventWording{" \tTampering attempt or bypass attempt\r\n", None};
    case 0x6C:
        return EventWording{" \tMissing recurring breathing test\r\n", None};
    case 0x99:
        return EventWording{"", Calibration};
    case 0xA0:
        return EventWording{" \tOverride activated\r\n", None};
    case 0xA1:
        return EventWording{" \tExpiry of Override\r\n", None};
    default:
        return std::nullopt;
    }
}

} // namespace interlock
