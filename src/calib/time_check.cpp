#include "calib/time_check.h"

#include "link/checked_records.h"
#include "link/codes.h"
#include "link/trace.h"
#include "link/write_failure.h"

namespace interlock {

namespace {
constexpr int kWriteWaitMs = 1000;
constexpr int kFirstYear = 2000;
constexpr std::uint8_t kService = 1;
constexpr std::uint8_t kExtraService = 2;

std::uint8_t byteOf(int value) {
    return static_cast<std::uint8_t>(value);
}

std::string failureOf(const WriteOutcome& outcome) {
    return writeFailure(outcome, kServiceTimeRefused, kServiceTimeNotWritten);
}
} // namespace

std::string recordService(Requester& requester, const CivilTime& utcNow) {
    trace("OnBnClickedButtonCalTimeReset\r\n");
    const CivilTime& t = utcNow;
    trace("Current Time %d-%d-%d %d:%d:%d\r\n", t.year, t.month, t.day, t.hour, t.minute, t.second);
    ClockRecord clock;
    clock.bytes = {byteOf(t.year - kFirstYear),
                   byteOf(t.month),
                   byteOf(t.day),
                   byteOf(t.hour),
                   byteOf(t.minute),
                   byteOf(t.second)};
    ProgramState& state = requester.state();
    state.service.set_service_time(clock.bytes[0], clock.bytes[1], clock.bytes[2], clock.bytes[3],
                                   clock.bytes[4]);
    state.service.set_service_kind(kService);
    const CheckedRecords<&ProgramState::service> checked(state);
    const WriteOutcome outcome(state);
    requester.write(request::WriteClock, clock.view(), kWriteWaitMs);
    requester.write(request::WriteService, checked.get<Te_Service_t>().view(), kWriteWaitMs);
    checked.restore(state);
    return failureOf(outcome);
}

std::string recordExtraService(Requester& requester) {
    Te_Service_t& service = requester.state().service;
    service.set_service_kind(kExtraService);
    const WriteOutcome outcome(requester.state());
    requester.write(request::WriteService, service.view(), kWriteWaitMs);
    return failureOf(outcome);
}

void cancelTimeCheck() {
    trace("OnBnClickedButtonCalTimeCancel\r\n");
}

} // namespace interlock
