#include "cli/terminal.h"

#include <io.h>
#include <windows.h>

#include <iostream>

namespace interlock::cli {

bool isTerminal(std::FILE* stream) {
    return _isatty(_fileno(stream)) != 0;
}

bool readLineUnechoed(std::string& line) {
    const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    DWORD before = 0;
    const bool console = GetConsoleMode(input, &before) != 0;
    if (console)
        SetConsoleMode(input, before & ~static_cast<DWORD>(ENABLE_ECHO_INPUT));
    const bool read = static_cast<bool>(std::getline(std::cin, line));
    if (console) {
        SetConsoleMode(input, before);
        std::fputs("\n", stderr); // the Enter that was not echoed
    }
    return read;
}

} // namespace interlock::cli
