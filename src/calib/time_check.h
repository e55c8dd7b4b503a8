#pragma once

#include "link/civil_time.h"
#include "link/requester.h"

#include <cstdint>
#include <string>

namespace interlock {

// The Time Check page's large text: the last service time, which the held service
// record keeps in UTC as the interlock does, shown in local time (`offset` seconds
// ahead of UTC) as "%02d-%02d-%02d %02d:%02d".
std::string serviceTimeText(const Te_Service_t& service, std::int32_t offset);

// "SERVICE": the PC's clock in UTC sets the interlock's clock and becomes the time
// of a service; each write is followed by its wait. The page then closes.
void recordService(Requester& requester, const CivilTime& utcNow);

// "EXTRA SERVICE": the held service time, still in UTC, recorded as an extra
// service. The page then closes.
void recordExtraService(Requester& requester);

// "CANCEL": the page closes with nothing sent.
void cancelTimeCheck();

} // namespace interlock
