#include "cli/terminal.h"

#include <termios.h>
#include <unistd.h>

namespace interlock::cli {

namespace {
bool setInputEcho(bool on) {
    termios mode{};
    if (tcgetattr(STDIN_FILENO, &mode) != 0 || ((mode.c_lflag & ECHO) != 0) == on)
        return false;
    mode.c_lflag ^= static_cast<tcflag_t>(ECHO);
    return tcsetattr(STDIN_FILENO, TCSAFLUSH, &mode) == 0;
}
} // namespace

bool isTerminal(std::FILE* stream) {
    return isatty(fileno(stream)) == 1;
}

bool hideInputEcho() {
    return setInputEcho(false);
}

void restoreInputEcho() {
    setInputEcho(true);
}

} // namespace interlock::cli
