#include "log/service_time.h"

#include "link/formatted.h"
#include "link/local_time.h"

namespace interlock {

std::string serviceTimeText(const Te_Service_t& service, std::int32_t offset) {
    const LogStamp utc{service.service_year(), service.service_month(),  service.service_day(),
                       service.service_hour(), service.service_minute(), 0};
    const LogStamp local = localForDisplay(utc, offset);
    return formatted("%02d-%02d-%02d %02d:%02d", local.year, local.month, local.day, local.hour,
                     local.minute);
}

} // namespace interlock
