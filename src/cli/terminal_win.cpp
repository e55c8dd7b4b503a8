#include "cli/terminal.h"

#include <io.h>
#include <windows.h>

namespace interlock::cli {

namespace {
bool setInputEcho(bool on) {
    const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    DWORD mode = 0;
    if (!GetConsoleMode(input, &mode) || ((mode & ENABLE_ECHO_INPUT) != 0) == on)
        return false;
    return SetConsoleMode(input, mode ^ static_cast<DWORD>(ENABLE_ECHO_INPUT)) != 0;
}
} // namespace

bool isTerminal(std::FILE* stream) {
    return _isatty(_fileno(stream)) != 0;
}

bool hideInputEcho() {
    return setInputEcho(false);
}

void restoreInputEcho() {
    setInputEcho(true);
}

} // namespace interlock::cli
