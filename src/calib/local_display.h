#pragma once

#include "log/local_time.h"

#include <cstdint>

namespace interlock {

// An interlock time (UTC) as the pages show it: `offset` seconds added and carried
// through the calendar. A stamp that is no calendar time (a clock never set, a
// record of zeros) is shown as it stands rather than carried into a made-up date.
LogStamp localForDisplay(const LogStamp& utc, std::int32_t offset);

} // namespace interlock
