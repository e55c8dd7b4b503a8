#pragma once

#include "link/civil_time.h"

namespace interlock {

// The PC's clock in UTC.
CivilTime systemUtcNow();

} // namespace interlock
