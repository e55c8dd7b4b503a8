// interlock-sim for the Windows build's tests, which run under Wine: the simulator is
// the Linux program, started through Wine, and its pseudo-terminal is offered to the
// Windows program as a COM port (a link in the Wine prefix's dosdevices folder).
// Wine hands a Linux program none of a Windows program's pipes, so the simulator runs
// in the background of a shell, with its output in files, and is stopped by a signal.
#include "sim/sim_process.h"

#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <string_view>

namespace interlock::sim {

namespace {
// The longest a helper program of the host system (a shell, ln, kill) may take.
constexpr DWORD kHostMs = 10000;

// Runs a program of the host system and waits for it. Wine does not report a Linux
// program's exit status, so the caller checks what it did.
void runHost(std::string commandLine) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return;
    WaitForSingleObject(process.hProcess, kHostMs);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
}

// The Wine prefix's folder of DOS device links.
std::string dosDevicesFolder() {
    if (const char* prefix = std::getenv("WINEPREFIX"); prefix && *prefix)
        return std::string(prefix) + "/dosdevices";
    const char* home = std::getenv("HOME");
    return std::string(home ? home : "") + "/.wine/dosdevices";
}

// COM1 to COM9 by the pseudo-terminal's number, so a port name never needs the
// \\.\ prefix; the Windows tests run one at a time.
std::string comNameFor(std::string_view ptyPath) {
    unsigned number = 0;
    for (const char c : ptyPath.substr(ptyPath.find_last_of('/') + 1))
        if (c >= '0' && c <= '9')
            number = number * 10 + static_cast<unsigned>(c - '0');
    return "COM" + std::to_string(1 + number % 9);
}

// Quoted for the shell; the Windows command line around it takes no double quotes.
std::string quoted(const std::string& text) {
    std::string out = "'";
    for (const char c : text)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

// The Linux files the simulator writes, read through Wine's drive of the root folder.
std::string firstLine(const std::string& linuxPath) {
    std::ifstream in("Z:" + linuxPath);
    std::string line;
    return std::getline(in, line) && !in.eof() ? line : std::string();
}

void removeLinuxFile(const std::string& linuxPath) {
    DeleteFileA(("Z:" + linuxPath).c_str());
}
} // namespace

std::string SimProcess::defaultExecutable() {
#ifdef INTERLOCK_SIM_EXECUTABLE
    return INTERLOCK_SIM_EXECUTABLE;
#else
    return "interlock-sim";
#endif
}

bool SimProcess::start(const std::vector<std::string>& args, const std::string& executable,
                       int timeoutMs) {
    stop();
    static unsigned started = 0;
    const std::string files = "/tmp/interlock-sim-" + std::to_string(GetCurrentProcessId()) + "-" +
                              std::to_string(++started);
    std::string command = "exec " + quoted(executable) + " --ignore-stdin";
    for (const std::string& arg : args)
        command += ' ' + quoted(arg);
    command += " >" + files + ".out 2>/dev/null </dev/null & echo $! >" + files + ".pid";
    runHost("/bin/sh -c \"" + command + "\"");
    const std::string pid = firstLine(files + ".pid");
    removeLinuxFile(files + ".pid");
    pid_ = static_cast<pid_t>(std::atoi(pid.c_str()));
    if (pid_ <= 0) {
        error_ = "cannot start " + executable;
        return false;
    }
    outputFile_ = files + ".out";
    if (!readFirstLine(timeoutMs)) {
        stop();
        return false;
    }
    const std::string com = comNameFor(portPath_);
    std::string link = dosDevicesFolder() + '/' + com;
    for (char& c : link)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    runHost("/bin/ln -sfn " + portPath_ + ' ' + link);
    if (GetFileAttributesA(("Z:" + link).c_str()) == INVALID_FILE_ATTRIBUTES) {
        error_ = "cannot link " + link + " to " + portPath_;
        stop();
        return false;
    }
    portPath_ = com;
    return true;
}

bool SimProcess::readFirstLine(int timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(timeoutMs);
    for (;;) {
        portPath_ = firstLine(outputFile_);
        if (!portPath_.empty())
            return true;
        if (GetTickCount64() >= deadline) {
            error_ = "interlock-sim printed no port path in time";
            return false;
        }
        Sleep(20);
    }
}

int SimProcess::stop() {
    int status = -1;
    if (pid_ > 0) {
        const std::string pid = std::to_string(pid_);
        runHost("/bin/kill " + pid);
        runHost("/bin/sh -c \"while kill -0 " + pid + " 2>/dev/null; do sleep 0.05; done\"");
        status = 0;
        pid_ = -1;
    }
    if (!outputFile_.empty())
        removeLinuxFile(outputFile_);
    outputFile_.clear();
    return status;
}

} // namespace interlock::sim
