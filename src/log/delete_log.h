#pragma once

#include "link/requester.h"

namespace interlock {

// The interlock is given this long to erase its log; no answer is awaited.
inline constexpr int kDeleteLogWaitMs = 3000;

// OK on a delete confirmation page: sends the delete log request, waits, and
// marks the log deleted for this connection whatever the interlock answered.
void deleteLog(Requester& requester);

} // namespace interlock
