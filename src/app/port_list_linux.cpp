// The port list on Linux: the serial devices Qt finds, by device path.
#include "app/port_list.h"
#include "app/port_names.h"

#include <QSerialPortInfo>

namespace interlock {

std::vector<OfferedPort> systemPorts() {
    std::vector<OfferedPort> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        const std::string name = info.systemLocation().toStdString();
        ports.push_back({name, portLabel(name, info.description().toStdString(),
                                         info.manufacturer().toStdString())});
    }
    return ports;
}

bool comPortNames() {
    return false;
}

} // namespace interlock
