#pragma once

#include "link/civil_time.h"
#include "link/requester.h"

#include <string>
#include <string_view>

namespace interlock {

// Shown when the interlock answers a write of the page with NACK.
inline constexpr std::string_view kServiceTimeRefused =
    "The interlock refused the service time write.";
// What a lost line left undone (see lineLostMessage).
inline constexpr std::string_view kServiceTimeNotWritten = "the service time was not written.";

// "SERVICE": the PC's clock in UTC sets the interlock's clock and becomes the time
// of a service; each write is followed by its wait. Empty when the writes went
// through and the page closes, else the message to show over the open page.
std::string recordService(Requester& requester, const CivilTime& utcNow);

// "EXTRA SERVICE": the held service time, still in UTC, recorded as an extra
// service. Empty or the message to show, as for recordService.
std::string recordExtraService(Requester& requester);

// "CANCEL": the page closes with nothing sent.
void cancelTimeCheck();

} // namespace interlock
