#pragma once

#include "link/byte_channel.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <memory>

namespace interlock {

class SerialBackend;

// The program's one serial channel to the interlock: 115200 baud, 8 data bits, no
// parity, one stop bit, no handshake, DTR and RTS on. Runs on the GUI thread; the
// platform's port behind it (serial_backend.h) is chosen by the build.
class CComm : public QObject, public ByteChannel {
    Q_OBJECT
  public:
    explicit CComm(QObject* parent = nullptr);
    ~CComm() override;

    // Opens `portName` (a device path, or COM9 and \\.\COM10 on Windows). On failure
    // returns false and, when `detail` is given, says why in words a technician can
    // act on.
    bool open(const QString& portName, QString* detail = nullptr);
    // Hands the requests still queued to the line (waiting a short while at most),
    // drops DTR and RTS, purges what came in and closes. Safe when not open.
    void close();
    bool isOpen() const;
    QString portName() const;

    // Queues the bytes for writing, whole and in order, behind earlier writes.
    void writeBytes(std::span<const std::uint8_t> bytes) override;
    // Bytes queued and not yet handed to the port.
    qint64 bytesToWrite() const;

  signals:
    void received(const QByteArray& bytes);
    // The port went away (adapter pulled, far end closed); the channel is closed.
    void portLost(const QString& detail);
    // Queued bytes were handed to the port.
    void bytesWritten(qint64 count);
    // A write failed: "ERROR 1" after a write in progress, "ERROR 2" at once; `detail`
    // is the system's reason.
    void writeFailed(const QString& message, const QString& detail);

  private:
    std::unique_ptr<SerialBackend> port_;
};

} // namespace interlock
