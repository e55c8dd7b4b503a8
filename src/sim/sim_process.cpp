#include "sim/sim_process.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace interlock::sim {

namespace {
void closeFd(int& fd) {
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

// Waits up to `ms` for the child; its exit status, or -1 when it is still running.
int waitFor(pid_t pid, int ms) {
    for (int waited = 0;; waited += 10) {
        int status = 0;
        const pid_t done = ::waitpid(pid, &status, WNOHANG);
        if (done == pid)
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        if (done < 0)
            return 0;
        if (waited >= ms)
            return -1;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}
} // namespace

bool SimProcess::start(const std::vector<std::string>& args, const std::string& executable,
                       int timeoutMs) {
    stop();
    int in[2];
    int out[2];
    if (::pipe(in) != 0)
        return error_ = std::strerror(errno), false;
    if (::pipe(out) != 0) {
        ::close(in[0]);
        ::close(in[1]);
        return error_ = std::strerror(errno), false;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    for (const int fd : {in[0], in[1], out[0], out[1]})
        posix_spawn_file_actions_addclose(&actions, fd);

    std::vector<std::string> argvStrings{executable};
    argvStrings.insert(argvStrings.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& arg : argvStrings)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    const int failed =
        posix_spawn(&pid_, executable.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(in[0]);
    ::close(out[1]);
    stdinFd_ = in[1];
    stdoutFd_ = out[0];
    if (failed != 0) {
        pid_ = -1;
        error_ = "cannot start " + executable + ": " + std::strerror(failed);
        closeFd(stdinFd_);
        closeFd(stdoutFd_);
        return false;
    }
    if (!readFirstLine(timeoutMs)) {
        stop();
        return false;
    }
    return true;
}

bool SimProcess::readFirstLine(int timeoutMs) {
    portPath_.clear();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd fd{stdoutFd_, POLLIN, 0};
        if (left.count() <= 0 || ::poll(&fd, 1, static_cast<int>(left.count())) <= 0) {
            error_ = "interlock-sim printed no port path in time";
            return false;
        }
        char c = 0;
        if (::read(stdoutFd_, &c, 1) != 1) {
            error_ = "interlock-sim ended before printing its port path";
            return false;
        }
        if (c == '\n')
            return !portPath_.empty();
        portPath_ += c;
    }
}

int SimProcess::stop() {
    closeFd(stdinFd_);
    int status = -1;
    if (pid_ > 0) {
        status = waitFor(pid_, 2000);
        if (status < 0) {
            ::kill(pid_, SIGTERM);
            status = waitFor(pid_, 2000);
        }
        if (status < 0) {
            ::kill(pid_, SIGKILL);
            status = waitFor(pid_, 2000);
        }
        pid_ = -1;
    }
    closeFd(stdoutFd_);
    return status;
}

} // namespace interlock::sim
