#include "sim/serial_port.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

namespace interlock::sim {

namespace {
bool makeRaw(int fd) {
    termios tio{};
    if (tcgetattr(fd, &tio) != 0)
        return false;
    cfmakeraw(&tio);
    cfsetispeed(&tio, B115200);
    cfsetospeed(&tio, B115200);
    tio.c_cflag |= CLOCAL | CREAD;
    return tcsetattr(fd, TCSANOW, &tio) == 0;
}

std::string systemError(const char* what) {
    return std::string(what) + ": " + std::strerror(errno);
}
} // namespace

bool SerialPort::openPseudoTerminal(std::string& error) {
    close();
    fd_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd_ < 0 || grantpt(fd_) != 0 || unlockpt(fd_) != 0) {
        error = systemError("cannot create a pseudo-terminal");
        close();
        return false;
    }
    const char* name = ptsname(fd_);
    if (!name) {
        error = systemError("ptsname");
        close();
        return false;
    }
    path_ = name;
    keepOpen_ = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK);
    // Raw on the program's side too, so nothing the device sends is echoed back.
    if (keepOpen_ < 0 || !makeRaw(keepOpen_)) {
        error = systemError("cannot set up the pseudo-terminal");
        close();
        return false;
    }
    return true;
}

bool SerialPort::openDevice(const std::string& path, std::string& error) {
    close();
    fd_ = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd_ < 0 || !makeRaw(fd_)) {
        error = systemError(("cannot open " + path).c_str());
        close();
        return false;
    }
    path_ = path;
    return true;
}

void SerialPort::close() {
    if (keepOpen_ >= 0)
        ::close(keepOpen_);
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = keepOpen_ = -1;
}

} // namespace interlock::sim
