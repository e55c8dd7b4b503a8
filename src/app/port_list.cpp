#include "app/port_list.h"

#include <algorithm>

namespace interlock {

std::vector<OfferedPort> availablePorts(const std::vector<std::string>& extraPaths) {
    std::vector<OfferedPort> ports = systemPorts();
    for (const std::string& path : extraPaths) {
        const auto same = [&](const OfferedPort& port) { return port.name == path; };
        if (std::none_of(ports.begin(), ports.end(), same))
            ports.push_back({path, path});
    }
    return ports;
}

} // namespace interlock
