#pragma once

#include <string>
#include <string_view>

namespace interlock {

// What the serial channel tells the technician about its port, the same words on
// every platform; each goes in the informative text under "Check %s Communication".

// The port is not there.
std::string portMissingText(std::string_view portName);
// Any other reason the system gives for not opening the port.
std::string portRefusedText(std::string_view portName, std::string_view systemText);
// An open port stopped working. The system gives no reason of its own when the far
// end hangs up (the read just ends), so none is quoted.
std::string portLostText(std::string_view portName);

} // namespace interlock
