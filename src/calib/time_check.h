#pragma once

#include "link/civil_time.h"
#include "link/requester.h"

#include <cstdint>
#include <string>

namespace interlock {

// "SERVICE": the PC's clock in UTC sets the interlock's clock and becomes the time
// of a service; each write is followed by its wait. The page then closes.
void recordService(Requester& requester, const CivilTime& utcNow);

// "EXTRA SERVICE": the held service time, still in UTC, recorded as an extra
// service. The page then closes.
void recordExtraService(Requester& requester);

// "CANCEL": the page closes with nothing sent.
void cancelTimeCheck();

} // namespace interlock
