#include "link/utc_instant.h"

namespace interlock {

std::time_t utcInstantOf(std::tm& utc) {
    return _mkgmtime(&utc);
}

} // namespace interlock
