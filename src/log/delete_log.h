#pragma once

#include "link/requester.h"

#include <string_view>

namespace interlock {

// The interlock is given this long to erase its log; no answer is awaited.
inline constexpr int kDeleteLogWaitMs = 3000;

// Shown when the interlock answers the delete log request with NACK.
inline constexpr std::string_view kDeleteLogRefused = "The interlock refused to delete the log.";

// OK on a delete confirmation page: sends the delete log request, waits, and marks
// the log deleted for this connection unless the interlock refused the request.
// True when the log is marked deleted.
bool deleteLog(Requester& requester);

} // namespace interlock
