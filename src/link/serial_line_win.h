#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace interlock {

// What became of the bytes handed to the port so far.
struct LineWrite {
    std::size_t written = 0; // bytes the port took
    bool failed = false;     // a write failed; the bytes still queued were dropped
    bool lost = false;       // ... because the port is gone (the line is then closed)
    std::string why{};       // the system's reason
};

// One COM port, opened for overlapped I/O at the link's settings: 115200 baud, 8 data
// bits, no parity, one stop bit, binary, no handshake, DTR and RTS on, 4096-byte
// queues. Plain Win32: whoever owns it waits on its two events (no polling) and calls
// back here when one is signalled, all on one thread, so writes are never interleaved.
class SerialLineWin {
  public:
    using Event = void*; // a Win32 event handle

    SerialLineWin();
    ~SerialLineWin();
    SerialLineWin(const SerialLineWin&) = delete;
    SerialLineWin& operator=(const SerialLineWin&) = delete;

    // Opens `path` ("COM9", "\\.\COM10") and starts waiting for received bytes. Empty
    // when it is open, else why not, in words for the technician.
    std::string open(const std::string& path);
    // Waits up to `drainMs` for the writes still queued, drops DTR then RTS, purges
    // what came in and closes. Harmless when closed.
    void close(int drainMs);
    bool isOpen() const;
    // The port's name as the port list shows it (COM10 for \\.\COM10).
    const std::string& name() const { return name_; }

    // Signalled when bytes arrived (or the port went away): call takeReceived.
    Event receiveEvent() const { return receiveEvent_; }
    // Signalled when the write in progress ended: call writeEnded.
    Event writeEvent() const { return writeEvent_; }

    // Appends every byte the driver holds to `bytes` and waits for the next one again.
    // False when the port went away: the line is then closed and `why` says so.
    bool takeReceived(std::vector<std::uint8_t>& bytes, std::string& why);

    // Queues `bytes` behind earlier ones and starts writing when no write is under way.
    // A failure here is one of the write itself, not of a write in progress.
    LineWrite write(std::span<const std::uint8_t> bytes);
    // Ends the write in progress and starts the next one queued.
    LineWrite writeEnded();
    // Bytes queued or being written and not yet taken by the port.
    std::size_t bytesToWrite() const { return queue_.size() + sending_.size(); }

  private:
    struct Overlapped;

    unsigned long armWait();
    LineWrite startWrite();
    LineWrite failWrite(unsigned long error);
    void finish(Overlapped& operation, bool& underWay, unsigned long waitMs);

    Event receiveEvent_ = nullptr;
    Event writeEvent_ = nullptr;
    Event readEvent_ = nullptr;
    void* port_ = nullptr;
    std::string name_;
    std::unique_ptr<Overlapped> wait_;
    std::unique_ptr<Overlapped> read_;
    std::unique_ptr<Overlapped> write_;
    unsigned long waitMask_ = 0;
    bool waitUnderWay_ = false;
    bool writeUnderWay_ = false;
    std::vector<std::uint8_t> queue_;
    // The bytes of the write under way. The driver may read them until the write ends,
    // so only startWrite and writeEnded touch them; later writes queue behind.
    std::vector<std::uint8_t> sending_;
};

// The text Windows gives for a system error code, without its line end.
std::string windowsErrorText(unsigned long code);

} // namespace interlock
