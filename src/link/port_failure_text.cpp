#include "link/port_failure_text.h"

namespace interlock {

std::string portMissingText(std::string_view portName) {
    return std::string(portName).append(" does not exist (is the adapter plugged in?).");
}

std::string portRefusedText(std::string_view portName, std::string_view systemText) {
    return std::string(portName).append(": ").append(systemText);
}

std::string portLostText(std::string_view portName) {
    return std::string(portName).append(" was closed or hung up (the adapter unplugged, or the "
                                        "far end closed the line).");
}

} // namespace interlock
