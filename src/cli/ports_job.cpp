#include "cli/ports_job.h"

#include "app/port_list.h"
#include "app/port_names.h"
#include "cli/exit_status.h"
#include "cli/job_output.h"

#include <QJsonArray>

#include <algorithm>

namespace interlock::cli {

int runPorts(const CommandLine& line) {
    std::vector<OfferedPort> ports = availablePorts({});
    std::stable_sort(ports.begin(), ports.end(), [](const OfferedPort& a, const OfferedPort& b) {
        return listBoxBefore(a.name, b.name);
    });
    if (line.json) {
        QJsonArray list;
        for (const OfferedPort& port : ports)
            list.append(QJsonObject{{"name", QString::fromStdString(port.name)},
                                    {"label", QString::fromStdString(port.label)}});
        printJson({{"ports", list}});
    } else {
        for (const OfferedPort& port : ports)
            printLine(port.label);
    }
    return exitCode(ExitStatus::Done);
}

} // namespace interlock::cli
