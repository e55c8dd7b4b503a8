#pragma once

#include "link/records.h"

#include <cstdint>
#include <string>

namespace interlock {

// The last service time, which the held service record keeps in UTC as the
// interlock does, shown in local time (`offset` seconds ahead of UTC) as
// "%02d-%02d-%02d %02d:%02d"; a record that is no calendar time is shown as it stands.
std::string serviceTimeText(const Te_Service_t& service, std::int32_t offset);

} // namespace interlock
