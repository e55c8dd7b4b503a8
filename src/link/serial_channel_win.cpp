// The serial channel's port on Windows: the Win32 COM port (serial_line_win.h), its
// received bytes and ended writes delivered to the GUI thread by event notifiers on
// the port's overlapped events.
#include "link/serial_backend.h"
#include "link/serial_channel.h"
#include "link/serial_line_win.h"
#include "link/trace.h"

#include <QWinEventNotifier>

#include <vector>

namespace interlock {

namespace {
// The longest a close waits for requests still queued to leave.
constexpr int kDrainMs = 1000;

class WinSerialBackend : public SerialBackend {
  public:
    explicit WinSerialBackend(CComm& channel)
        : channel_(channel), received_(line_.receiveEvent()), written_(line_.writeEvent()) {
        received_.setEnabled(false);
        written_.setEnabled(false);
        QObject::connect(&received_, &QWinEventNotifier::activated, &channel_,
                         [this] { onReceived(); });
        QObject::connect(&written_, &QWinEventNotifier::activated, &channel_,
                         [this] { report(line_.writeEnded(), QStringLiteral("ERROR 1")); });
    }

    bool open(const QString& portName, QString* detail) override {
        close();
        const std::string why = line_.open(portName.toStdString());
        if (!why.empty()) {
            trace("open %s failed: %s\r\n", portName.toLocal8Bit().constData(), why.c_str());
            if (detail)
                *detail = QString::fromStdString(why);
            return false;
        }
        received_.setEnabled(true);
        written_.setEnabled(true);
        return true;
    }

    void close() override {
        received_.setEnabled(false);
        written_.setEnabled(false);
        line_.close(kDrainMs);
    }

    bool isOpen() const override { return line_.isOpen(); }
    QString portName() const override { return QString::fromStdString(line_.name()); }
    void write(std::span<const std::uint8_t> bytes) override {
        report(line_.write(bytes), QStringLiteral("ERROR 2"));
    }
    qint64 bytesToWrite() const override { return static_cast<qint64>(line_.bytesToWrite()); }

  private:
    void onReceived() {
        std::vector<std::uint8_t> bytes;
        std::string why;
        const bool open = line_.takeReceived(bytes, why);
        // What came before the port was lost is handed on first: nothing is lost.
        if (!bytes.empty())
            emit channel_.received(QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<qsizetype>(bytes.size())));
        if (!open)
            lose(why);
    }

    // A lost port is said before the bytes that left ahead of the loss: whoever writes
    // again on each ended write (the firmware stream) stops rather than pouring the
    // rest into a closed line.
    void report(const LineWrite& result, const QString& message) {
        if (result.lost)
            lose(result.why);
        if (result.written > 0)
            emit channel_.bytesWritten(static_cast<qint64>(result.written));
        if (result.failed && !result.lost)
            emit channel_.writeFailed(message, QString::fromStdString(result.why));
    }

    void lose(const std::string& why) {
        close();
        emit channel_.portLost(QString::fromStdString(why));
    }

    CComm& channel_;
    SerialLineWin line_;
    QWinEventNotifier received_;
    QWinEventNotifier written_;
};

} // namespace

std::unique_ptr<SerialBackend> makeSerialBackend(CComm& channel) {
    return std::make_unique<WinSerialBackend>(channel);
}

} // namespace interlock
