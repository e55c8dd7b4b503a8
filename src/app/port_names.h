#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace interlock {

// Port number of a Windows port name: the decimal number from the fourth character on
// (COM12 gives 12; leading digits count, the rest is ignored); 0 for three characters
// or fewer.
unsigned portNumberFromName(std::string_view name);

// The device path Windows opens for port n: "COM9", but "\\.\COM10" from 10 on.
std::string windowsPortPath(unsigned number);

// A port's entry in the port list: its name, then the description and the maker
// the system reports for it, when it reports them ("/dev/ttyUSB0 — FT232R USB UART
// (FTDI)"), so the interlock's adapter stands out from the machine's own ports.
std::string portLabel(std::string_view name, std::string_view description,
                      std::string_view manufacturer);

// Sorts port names the way the port list box keeps them: alphabetically, ignoring
// case, so COM10 stands before COM3.
void sortLikeListBox(std::vector<std::string>& names);
// Whether name `a` stands before `b` in that order.
bool listBoxBefore(std::string_view a, std::string_view b);

} // namespace interlock
