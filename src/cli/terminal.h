#pragma once

#include <cstdio>

namespace interlock::cli {

// Whether `stream` (stdin, stdout or stderr) is a terminal a person watches.
bool isTerminal(std::FILE* stream);

// Stops a terminal on standard input from echoing what is typed. True when it did,
// and so restoreInputEcho is to be called once the typing is read.
bool hideInputEcho();
void restoreInputEcho();

} // namespace interlock::cli
