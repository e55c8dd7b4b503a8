#include "link/utc_instant.h"

namespace interlock {

std::time_t utcInstantOf(std::tm& utc) {
    return timegm(&utc);
}

} // namespace interlock
