#pragma once

#include "link/civil_time.h"
#include "link/requester.h"

namespace interlock {

// The FIRMWARE UPDATE page's hidden "default write (PART 0)" button: sets the
// interlock's clock and the held service time to `utc`, then tells the interlock to
// start from its defaults.
void defaultWrite(Requester& requester, const CivilTime& utc);

} // namespace interlock
