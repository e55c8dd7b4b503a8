#include "app/port_list.h"

#include <QSerialPortInfo>

#include <algorithm>

namespace interlock {

std::vector<std::string> availablePorts(const std::vector<std::string>& extraPaths) {
    std::vector<std::string> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
#ifdef Q_OS_WIN
        ports.push_back(info.portName().toStdString());
#else
        ports.push_back(info.systemLocation().toStdString());
#endif
    }
    for (const std::string& path : extraPaths) {
        if (std::find(ports.begin(), ports.end(), path) == ports.end())
            ports.push_back(path);
    }
    return ports;
}

} // namespace interlock
