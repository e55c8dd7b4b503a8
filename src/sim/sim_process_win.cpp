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

// Polls `done` until it holds or `timeoutMs` passed.
template <typename Done> bool waitUntil(Done done, DWORD timeoutMs = kHostMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (!done()) {
        if (GetTickCount64() >= deadline)
            return false;
        Sleep(20);
    }
    return true;
}

// The Linux files the simulator writes, read through Wine's drive of the root folder.
bool linuxFileExists(const std::string& linuxPath) {
    return GetFileAttributesA(("Z:" + linuxPath).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string firstLine(const std::string& linuxPath) {
    std::ifstream in("Z:" + linuxPath);
    std::string line;
    return std::getline(in, line) && !in.eof() ? line : std::string();
}

void removeLinuxFile(const std::string& linuxPath) {
    DeleteFileA(("Z:" + linuxPath).c_str());
}

// Runs a shell command of the host system and waits until it is done. Wine neither
// waits for a Linux program nor reports its exit status, so the command leaves a file
// behind when it is done, and the caller checks what it did.
void runHost(const std::string& command) {
    static unsigned run = 0;
    const std::string done = "/tmp/interlock-host-" + std::to_string(GetCurrentProcessId()) + "-" +
                             std::to_string(++run);
    std::string commandLine = "/bin/sh -c \"" + command + "; echo >" + done + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return;
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    waitUntil([&] { return linuxFileExists(done); });
    removeLinuxFile(done);
}

// The Wine prefix's folder of DOS device links.
std::string dosDevicesFolder() {
    if (const char* prefix = std::getenv("WINEPREFIX"); prefix && *prefix)
        return std::string(prefix) + "/dosdevices";
    const char* home = std::getenv("HOME");
    return std::string(home ? home : "") + "/.wine/dosdevices";
}

// COM5 to COM9 by the pseudo-terminal's number, so a port name never needs the
// \\.\ prefix; the Windows tests run one at a time. Wine links COM1 to COM4 to the
// machine's own serial ports (/dev/ttyS*) whenever it starts, over any link made here.
std::string comNameFor(std::string_view ptyPath) {
    unsigned number = 0;
    for (const char c : ptyPath.substr(ptyPath.find_last_of('/') + 1))
        if (c >= '0' && c <= '9')
            number = number * 10 + static_cast<unsigned>(c - '0');
    return "COM" + std::to_string(5 + number % 5);
}

// Quoted for the shell; the Windows command line around it takes no double quotes.
std::string quoted(const std::string& text) {
    std::string out = "'";
    for (const char c : text)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

// A Windows path among the arguments (a test's scratch file in C:\users\...) named
// as the Linux simulator finds the same file; other arguments stay as they are.
std::string hostPath(const std::string& arg) {
    if (arg.size() < 3 || arg[1] != ':' || (arg[2] != '\\' && arg[2] != '/'))
        return arg;
    using UnixName = char*(CDECL*)(LPCWSTR);
    static const auto unixName = reinterpret_cast<UnixName>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!unixName)
        return arg;
    const std::wstring wide(arg.begin(), arg.end());
    char* name = unixName(wide.c_str());
    if (!name)
        return arg;
    std::string unixPath(name);
    HeapFree(GetProcessHeap(), 0, name);
    return unixPath;
}

} // namespace

bool SimProcess::start(const std::vector<std::string>& args, const std::string& executable,
                       int timeoutMs) {
    stop();
    static unsigned started = 0;
    const std::string files = "/tmp/interlock-sim-" + std::to_string(GetCurrentProcessId()) + "-" +
                              std::to_string(++started);
    std::string command = quoted(executable) + " --ignore-stdin";
    for (const std::string& arg : args)
        command += ' ' + quoted(hostPath(arg));
    command += " >" + files + ".out 2>/dev/null </dev/null & echo $! >" + files + ".pid";
    runHost(command);
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
    runHost("ln -sfn " + portPath_ + ' ' + link);
    if (!linuxFileExists(link)) {
        error_ = "cannot link " + link + " to " + portPath_;
        stop();
        return false;
    }
    portPath_ = com;
    return true;
}

bool SimProcess::readFirstLine(int timeoutMs) {
    if (waitUntil([&] { return !(portPath_ = firstLine(outputFile_)).empty(); },
                  static_cast<DWORD>(timeoutMs)))
        return true;
    error_ = "interlock-sim printed no port path in time";
    return false;
}

int SimProcess::stop() {
    int status = -1;
    if (pid_ > 0) {
        const std::string pid = std::to_string(pid_);
        runHost("kill " + pid + "; while kill -0 " + pid + " 2>/dev/null; do sleep 0.05; done");
        status = linuxFileExists("/proc/" + pid) ? -1 : 0;
        pid_ = -1;
    }
    if (!outputFile_.empty())
        removeLinuxFile(outputFile_);
    outputFile_.clear();
    return status;
}

} // namespace interlock::sim
