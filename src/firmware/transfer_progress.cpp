#include "firmware/transfer_progress.h"

#include "link/formatted.h"

namespace interlock {

int percentSent(std::uint32_t remaining, std::uint32_t groups) {
    const float total = static_cast<float>(groups);
    const float share = static_cast<float>(remaining) / total;
    const float percent = 100.0f - share * 100.0f;
    return static_cast<int>(percent);
}

std::string percentText(int percent) {
    return formatted("%d%%", percent);
}

bool PercentGate::admit(int percent) {
    if (percent % 5 != 0 || percent == lastShown_)
        return false;
    lastShown_ = percent;
    return true;
}

} // namespace interlock
