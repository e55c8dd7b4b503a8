#pragma once

#include <cstdio>
#include <string>

namespace interlock::cli {

// Whether `stream` (stdin, stdout or stderr) is a terminal a person watches.
bool isTerminal(std::FILE* stream);

// Reads one line from standard input, without its line end. While standard input
// is a terminal the typing is not echoed. False at the end of input.
bool readLineUnechoed(std::string& line);

} // namespace interlock::cli
