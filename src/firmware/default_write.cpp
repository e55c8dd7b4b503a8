#include "firmware/default_write.h"

#include "link/codes.h"
#include "link/records.h"
#include "link/trace.h"

namespace interlock {

namespace {
constexpr int kClockWriteWaitMs = 1000;
} // namespace

void defaultWrite(Requester& requester, const CivilTime& utc) {
    const auto byte = [](int value) { return static_cast<std::uint8_t>(value); };
    ClockRecord clock;
    clock.bytes = {byte(utc.year - 2000), byte(utc.month),  byte(utc.day),
                   byte(utc.hour),        byte(utc.minute), byte(utc.second)};
    ProgramState& state = requester.state();
    state.service.set_service_time(clock.bytes[0], clock.bytes[1], clock.bytes[2], clock.bytes[3],
                                   clock.bytes[4]);
    trace("Current Time %d-%d-%d %d:%d:%d\r\n", utc.year, utc.month, utc.day, utc.hour, utc.minute,
          utc.second);
    requester.write(request::WriteClock, clock.view(), kClockWriteWaitMs);
    state.link.send(request::FirmwareStart);
}

} // namespace interlock
