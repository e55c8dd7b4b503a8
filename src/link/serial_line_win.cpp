#include "link/serial_line_win.h"

#include "link/port_failure_text.h"
#include "link/trace.h"

#include <windows.h>

#include <algorithm>

namespace interlock {

namespace {
constexpr DWORD kBaudRate = 115200;
constexpr DWORD kQueueBytes = 4096;
// One read takes at most this much, as the driver's queue holds one byte more.
constexpr DWORD kReadBytes = kQueueBytes - 1;
constexpr DWORD kLineTimeoutMs = 1000;
constexpr char kDevicePrefix[] = "\\\\.\\";

// Errors that mean the port itself is gone (adapter pulled, device removed or hung
// up), as opposed to a write that failed on a working port.
bool portGone(DWORD error) {
    switch (error) {
    case ERROR_ACCESS_DENIED:
    case ERROR_INVALID_HANDLE:
    case ERROR_BAD_COMMAND:
    case ERROR_GEN_FAILURE:
    case ERROR_NOT_READY:
    case ERROR_OPERATION_ABORTED:
    case ERROR_DEVICE_REMOVED:
    case ERROR_DEVICE_NOT_CONNECTED:
    case ERROR_IO_DEVICE:
    case ERROR_FILE_NOT_FOUND:
        return true;
    default:
        return false;
    }
}

std::string openFailureText(const std::string& name, DWORD error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return portMissingText(name);
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
        return name + " is in use by another program.";
    default:
        return portRefusedText(name, windowsErrorText(error));
    }
}

// 115200 8N1, binary, no handshake, DTR and RTS simply on; the other fields as read.
void setLinkSettings(DCB& dcb) {
    dcb.BaudRate = kBaudRate;
    dcb.ByteSize = 8;
    dcb.Parity = NOPARITY;
    dcb.StopBits = ONESTOPBIT;
    dcb.fBinary = TRUE;
    dcb.fParity = TRUE;
    dcb.fOutxDsrFlow = FALSE;
    dcb.fDtrControl = DTR_CONTROL_ENABLE;
    dcb.fOutxCtsFlow = FALSE;
    dcb.fRtsControl = RTS_CONTROL_ENABLE;
    dcb.fInX = FALSE;
    dcb.fOutX = FALSE;
    dcb.XonChar = 0x11;
    dcb.XoffChar = 0x13;
    dcb.XonLim = 1;
    dcb.XoffLim = 1;
}

DWORD clearErrors(HANDLE port, COMSTAT* status = nullptr) {
    DWORD errors = 0;
    return ClearCommError(port, &errors, status) ? ERROR_SUCCESS : GetLastError();
}
} // namespace

struct SerialLineWin::Overlapped {
    OVERLAPPED block{};
};

std::string windowsErrorText(unsigned long code) {
    char text[512] = {};
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, code, 0, text, sizeof text, nullptr);
    std::string message(text, length);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' ||
                                message.back() == ' ' || message.back() == '.'))
        message.pop_back();
    return message.empty() ? "system error " + std::to_string(code) : message;
}

SerialLineWin::SerialLineWin()
    : wait_(std::make_unique<Overlapped>()), read_(std::make_unique<Overlapped>()),
      write_(std::make_unique<Overlapped>()) {
    // Manual reset, not signalled: each belongs to one kind of operation.
    receiveEvent_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    readEvent_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    writeEvent_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    wait_->block.hEvent = receiveEvent_;
    read_->block.hEvent = readEvent_;
    write_->block.hEvent = writeEvent_;
}

SerialLineWin::~SerialLineWin() {
    close(0);
    for (Event event : {receiveEvent_, readEvent_, writeEvent_})
        if (event)
            CloseHandle(event);
}

bool SerialLineWin::isOpen() const {
    return port_ != nullptr;
}

std::string SerialLineWin::open(const std::string& path) {
    close(0);
    name_ = path.starts_with(kDevicePrefix) ? path.substr(sizeof kDevicePrefix - 1) : path;
    if (!receiveEvent_ || !readEvent_ || !writeEvent_)
        return portRefusedText(name_, "no events for overlapped I/O");
    HANDLE port = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OVERLAPPED, nullptr);
    if (port == INVALID_HANDLE_VALUE)
        return openFailureText(name_, GetLastError());
    SetCommMask(port, EV_RXCHAR);
    SetupComm(port, kQueueBytes, kQueueBytes);
    PurgeComm(port, PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR);
    COMMTIMEOUTS timeouts{MAXDWORD, 0, kLineTimeoutMs, 0, kLineTimeoutMs};
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    DWORD error = ERROR_SUCCESS;
    if (!SetCommTimeouts(port, &timeouts) || !GetCommState(port, &dcb))
        error = GetLastError();
    if (error == ERROR_SUCCESS) {
        setLinkSettings(dcb);
        if (!SetCommState(port, &dcb))
            error = GetLastError();
    }
    port_ = port;
    if (error == ERROR_SUCCESS)
        error = armWait();
    if (error != ERROR_SUCCESS) {
        close(0);
        return portRefusedText(name_, windowsErrorText(error));
    }
    return {};
}

// Waits for the next received byte. A wait that ends at once leaves its event
// signalled, so the owner comes back for the bytes.
unsigned long SerialLineWin::armWait() {
    ResetEvent(receiveEvent_);
    waitMask_ = 0;
    if (WaitCommEvent(port_, &waitMask_, &wait_->block)) {
        SetEvent(receiveEvent_);
    } else if (const DWORD error = GetLastError(); error != ERROR_IO_PENDING) {
        waitUnderWay_ = false;
        return error;
    }
    waitUnderWay_ = true;
    return ERROR_SUCCESS;
}

bool SerialLineWin::takeReceived(std::vector<std::uint8_t>& bytes, std::string& why) {
    if (!isOpen())
        return true;
    DWORD error = ERROR_SUCCESS;
    if (waitUnderWay_) {
        DWORD ignored = 0;
        if (!GetOverlappedResult(port_, &wait_->block, &ignored, FALSE)) {
            error = GetLastError();
            if (error == ERROR_IO_INCOMPLETE)
                return true;
            // A wait cut short on an open port (Wine ends it when another request
            // reaches the port) loses nothing: wait again and read what is there.
            if (error == ERROR_OPERATION_ABORTED)
                error = ERROR_SUCCESS;
        }
        waitUnderWay_ = false;
    }
    // The next wait starts before the queue is read, so no byte slips between the two.
    if (error == ERROR_SUCCESS)
        error = armWait();
    while (error == ERROR_SUCCESS) {
        COMSTAT status{};
        error = clearErrors(port_, &status);
        const DWORD count = std::min<DWORD>(status.cbInQue, kReadBytes);
        if (error != ERROR_SUCCESS || count == 0)
            break;
        std::uint8_t buffer[kReadBytes];
        DWORD got = 0;
        ResetEvent(readEvent_);
        if (!ReadFile(port_, buffer, count, &got, &read_->block)) {
            error = GetLastError();
            if (error == ERROR_IO_PENDING) {
                trace("\n\rIO Pending");
                error = GetOverlappedResult(port_, &read_->block, &got, TRUE) ? ERROR_SUCCESS
                                                                              : GetLastError();
            }
        }
        bytes.insert(bytes.end(), buffer, buffer + got);
        if (error != ERROR_SUCCESS && !portGone(error)) {
            // A read that fails on a working port loses nothing queued: the next
            // received byte wakes the wait again.
            trace("read %s failed: %lu\r\n", name_.c_str(), error);
            clearErrors(port_);
            return true;
        }
        if (got == 0)
            break;
    }
    if (error == ERROR_SUCCESS)
        return true;
    trace("port %s lost: error %lu\r\n", name_.c_str(), error);
    why = portLostText(name_);
    close(0);
    return false;
}

LineWrite SerialLineWin::write(std::span<const std::uint8_t> bytes) {
    if (!isOpen())
        return {};
    queue_.insert(queue_.end(), bytes.begin(), bytes.end());
    return writeUnderWay_ ? LineWrite{} : startWrite();
}

// Hands the front of the queue to the port. Its end, at once or later, signals the
// write event, so every write is taken back in writeEnded.
LineWrite SerialLineWin::startWrite() {
    if (queue_.empty())
        return {};
    const auto count =
        static_cast<std::ptrdiff_t>(std::min<std::size_t>(queue_.size(), kQueueBytes));
    sending_.assign(queue_.begin(), queue_.begin() + count);
    queue_.erase(queue_.begin(), queue_.begin() + count);
    ResetEvent(writeEvent_);
    DWORD sent = 0;
    if (!WriteFile(port_, sending_.data(), static_cast<DWORD>(sending_.size()), &sent,
                   &write_->block)) {
        const DWORD error = GetLastError();
        if (error != ERROR_IO_PENDING)
            return failWrite(error);
    }
    writeUnderWay_ = true;
    return {};
}

LineWrite SerialLineWin::writeEnded() {
    if (!isOpen() || !writeUnderWay_)
        return {};
    DWORD sent = 0;
    if (!GetOverlappedResult(port_, &write_->block, &sent, FALSE)) {
        const DWORD error = GetLastError();
        if (error == ERROR_IO_INCOMPLETE)
            return {};
        writeUnderWay_ = false;
        return failWrite(error);
    }
    writeUnderWay_ = false;
    ResetEvent(writeEvent_);
    // A write cut short by the write timeout goes on with the rest.
    queue_.insert(queue_.begin(), sending_.begin() + std::min<std::size_t>(sent, sending_.size()),
                  sending_.end());
    sending_.clear();
    LineWrite next = startWrite();
    next.written += sent;
    return next;
}

// The bytes queued behind a failed write are dropped: sent after it, they would
// reach the interlock as a broken frame.
LineWrite SerialLineWin::failWrite(unsigned long error) {
    ResetEvent(writeEvent_);
    queue_.clear();
    sending_.clear();
    LineWrite failed{.failed = true, .lost = portGone(error), .why = windowsErrorText(error)};
    trace("write %s failed: %lu\r\n", name_.c_str(), error);
    if (failed.lost) {
        failed.why = portLostText(name_);
        close(0);
    } else {
        clearErrors(port_);
    }
    return failed;
}

// Waits at most `waitMs` for an operation to end; it was cancelled before.
void SerialLineWin::finish(Overlapped& operation, bool& underWay, unsigned long waitMs) {
    if (!underWay)
        return;
    if (WaitForSingleObject(operation.block.hEvent, waitMs) != WAIT_OBJECT_0)
        trace("port %s: an operation did not end\r\n", name_.c_str());
    DWORD ignored = 0;
    GetOverlappedResult(port_, &operation.block, &ignored, FALSE);
    underWay = false;
}

void SerialLineWin::close(int drainMs) {
    if (!isOpen())
        return;
    // Requests written just before still go out, within the time given.
    const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(std::max(drainMs, 0));
    while (writeUnderWay_) {
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline ||
            WaitForSingleObject(writeEvent_, static_cast<DWORD>(deadline - now)) != WAIT_OBJECT_0)
            break;
        writeEnded();
        if (!isOpen())
            return; // the port was lost meanwhile
    }
    // An empty event mask ends the wait for received bytes.
    SetCommMask(port_, 0);
    EscapeCommFunction(port_, CLRDTR);
    EscapeCommFunction(port_, CLRRTS);
    PurgeComm(port_, PURGE_TXABORT | PURGE_RXABORT | PURGE_RXCLEAR);
    CancelIo(port_);
    finish(*wait_, waitUnderWay_, kLineTimeoutMs);
    finish(*write_, writeUnderWay_, kLineTimeoutMs);
    CloseHandle(port_);
    port_ = nullptr;
    queue_.clear();
    sending_.clear();
    for (Event event : {receiveEvent_, readEvent_, writeEvent_})
        ResetEvent(event);
}

} // namespace interlock
