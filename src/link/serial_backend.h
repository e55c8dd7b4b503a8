#pragma once

#include <QString>
#include <QtGlobal>

#include <cstdint>
#include <memory>
#include <span>

namespace interlock {

class CComm;

// The platform's half of the serial channel (serial_channel_linux.cpp,
// serial_channel_win.cpp): it opens, writes and closes the port, and tells what it
// received, wrote or lost through the channel's signals.
class SerialBackend {
  public:
    virtual ~SerialBackend() = default;
    virtual bool open(const QString& portName, QString* detail) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    virtual QString portName() const = 0;
    virtual void write(std::span<const std::uint8_t> bytes) = 0;
    virtual qint64 bytesToWrite() const = 0;
};

std::unique_ptr<SerialBackend> makeSerialBackend(CComm& channel);

} // namespace interlock
