#include "app/port_list.h"

#include "app/port_names.h"

#include <QSerialPortInfo>

#include <algorithm>

namespace interlock {

std::vector<OfferedPort> availablePorts(const std::vector<std::string>& extraPaths) {
    std::vector<OfferedPort> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
#ifdef Q_OS_WIN
        const std::string name = info.portName().toStdString();
#else
        const std::string name = info.systemLocation().toStdString();
#endif
        ports.push_back({name, portLabel(name, info.description().toStdString(),
                                         info.manufacturer().toStdString())});
    }
    for (const std::string& path : extraPaths) {
        const auto same = [&](const OfferedPort& port) { return port.name == path; };
        if (std::none_of(ports.begin(), ports.end(), same))
            ports.push_back({path, path});
    }
    return ports;
}

bool windowsPortNames() {
#ifdef Q_OS_WIN
    return true;
#else
    return false;
#endif
}

} // namespace interlock
