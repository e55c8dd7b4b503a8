#pragma once

#include <string>

namespace interlock::sim {

// The device end of the line: a new pseudo-terminal, or a serial device by path,
// in raw mode at 115200 baud 8N1, non-blocking.
class SerialPort {
  public:
    SerialPort() = default;
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;
    ~SerialPort() { close(); }

    // Opens a pseudo-terminal; false with `error` set when the system refuses.
    bool openPseudoTerminal(std::string& error);
    bool openDevice(const std::string& path, std::string& error);
    void close();

    int fd() const { return fd_; }
    // The path the program opens.
    const std::string& path() const { return path_; }

  private:
    int fd_ = -1;
    // The pseudo-terminal's own end stays open, so the line never reads as hung up
    // while the program has not opened it yet or has closed it between connects.
    int keepOpen_ = -1;
    std::string path_;
};

} // namespace interlock::sim
