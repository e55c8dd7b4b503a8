#pragma once

#include "link/requester.h"

#include <string>
#include <string_view>

namespace interlock {

// The interlock is given this long to erase its log; no answer is awaited.
inline constexpr int kDeleteLogWaitMs = 3000;

// Shown when the interlock answers the delete log request with NACK.
inline constexpr std::string_view kDeleteLogRefused = "The interlock refused to delete the log.";

// What a lost line left undone (see lineLostMessage).
inline constexpr std::string_view kLogNotDeleted = "the log was not deleted.";

// OK on a delete confirmation page: sends the delete log request, waits, and marks
// the log deleted for this connection unless the interlock refused the request or
// the line was lost. Empty when the log is marked deleted, else why it is not.
std::string deleteLog(Requester& requester);

} // namespace interlock
