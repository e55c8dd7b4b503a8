#include "cli/terminal.h"

#include <termios.h>
#include <unistd.h>

#include <iostream>

namespace interlock::cli {

bool isTerminal(std::FILE* stream) {
    return isatty(fileno(stream)) == 1;
}

bool readLineUnechoed(std::string& line) {
    termios before{};
    const bool terminal = tcgetattr(STDIN_FILENO, &before) == 0;
    if (terminal) {
        termios quiet = before;
        quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
    }
    const bool read = static_cast<bool>(std::getline(std::cin, line));
    if (terminal) {
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &before);
        std::fputs("\n", stderr); // the Enter that was not echoed
    }
    return read;
}

} // namespace interlock::cli
