// The serial channel's port on Linux (and other Unix systems): QSerialPort on the GUI
// thread.
#include "link/port_failure_text.h"
#include "link/serial_backend.h"
#include "link/serial_channel.h"
#include "link/trace.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QSerialPort>

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

namespace interlock {

namespace {
constexpr qint32 kBaudRate = 115200;
// The longest a close waits for requests still queued to leave: far more than the
// largest frame takes at the line rate.
constexpr int kDrainMs = 1000;

// Pseudo-terminals refuse modem control lines; that is not an error of the link.
void setLine(bool ok, const char* what) {
    if (!ok)
        trace("%s not supported by this port\r\n", what);
}

QString owningGroup(const QString& path) {
    struct stat info {};
    if (::stat(QFileInfo(path).canonicalFilePath().toLocal8Bit().constData(), &info) != 0)
        return {};
    const group* owner = ::getgrgid(info.st_gid);
    return owner ? QString::fromLocal8Bit(owner->gr_name) : QString::number(info.st_gid);
}

bool accessDenied(const QString& path) {
    return ::access(path.toLocal8Bit().constData(), R_OK | W_OK) != 0;
}

// Why a serial device cannot be opened, from the kind of error the port reported:
// missing, no access (and which group may use it), busy or locked.
QString explainOpenFailure(const QString& portName, QSerialPort::SerialPortError error,
                           const QString& systemText) {
    const std::string name = portName.toStdString();
    switch (error) {
    case QSerialPort::DeviceNotFoundError:
        return QString::fromStdString(portMissingText(name));
    case QSerialPort::PermissionError:
        if (QFileInfo::exists(portName) && accessDenied(portName)) {
            const QString group = owningGroup(portName);
            return QStringLiteral("No access to %1. Join the group \"%2\" that may use it "
                                  "(sudo usermod -aG %2 $USER) and log in again.")
                .arg(portName, group.isEmpty() ? QStringLiteral("dialout") : group);
        }
        return QStringLiteral("%1 is in use by another program, or its lock file is held.")
            .arg(portName);
    default:
        return QString::fromStdString(portRefusedText(name, systemText.toStdString()));
    }
}

class QtSerialBackend : public SerialBackend {
  public:
    explicit QtSerialBackend(CComm& channel) : channel_(channel) {
        QObject::connect(&port_, &QSerialPort::readyRead, &port_,
                         [this] { emit channel_.received(port_.readAll()); });
        QObject::connect(&port_, &QSerialPort::errorOccurred, &port_,
                         [this](QSerialPort::SerialPortError error) { onError(error); });
        QObject::connect(&port_, &QSerialPort::bytesWritten, &port_,
                         [this](qint64 count) { emit channel_.bytesWritten(count); });
    }

    bool open(const QString& portName, QString* detail) override;
    void close() override;
    bool isOpen() const override { return port_.isOpen(); }
    QString portName() const override { return port_.portName(); }
    void write(std::span<const std::uint8_t> bytes) override;
    qint64 bytesToWrite() const override { return port_.bytesToWrite(); }

  private:
    void onError(QSerialPort::SerialPortError error);

    CComm& channel_;
    QSerialPort port_;
    bool closing_ = false;
};

bool QtSerialBackend::open(const QString& portName, QString* detail) {
    close();
    port_.setPortName(portName);
    port_.setBaudRate(kBaudRate);
    port_.setDataBits(QSerialPort::Data8);
    port_.setParity(QSerialPort::NoParity);
    port_.setStopBits(QSerialPort::OneStop);
    port_.setFlowControl(QSerialPort::NoFlowControl);
    if (!port_.open(QIODevice::ReadWrite)) {
        const QString why = explainOpenFailure(portName, port_.error(), port_.errorString());
        trace("open %s failed: %s\r\n", portName.toLocal8Bit().constData(),
              why.toLocal8Bit().constData());
        if (detail)
            *detail = why;
        port_.clearError();
        return false;
    }
    setLine(port_.setDataTerminalReady(true), "DTR");
    setLine(port_.setRequestToSend(true), "RTS");
    port_.clear(QSerialPort::AllDirections);
    port_.clearError();
    return true;
}

void QtSerialBackend::close() {
    if (!port_.isOpen() || closing_)
        return;
    // Dropping the lines of a vanished port raises more errors; they are ours to ignore.
    closing_ = true;
    // Requests written just before (the calibration end, a settings write) still
    // go out: the queue is handed to the line, and only what came in is purged.
    QElapsedTimer clock;
    clock.start();
    while (port_.bytesToWrite() > 0 && clock.elapsed() < kDrainMs &&
           port_.waitForBytesWritten(static_cast<int>(kDrainMs - clock.elapsed()))) {
    }
    setLine(port_.setDataTerminalReady(false), "DTR");
    setLine(port_.setRequestToSend(false), "RTS");
    port_.clear(QSerialPort::Input);
    port_.close();
    port_.clearError();
    closing_ = false;
}

void QtSerialBackend::write(std::span<const std::uint8_t> bytes) {
    if (!port_.isOpen())
        return;
    const auto size = static_cast<qint64>(bytes.size());
    if (port_.write(reinterpret_cast<const char*>(bytes.data()), size) != size) {
        const QString why = port_.errorString();
        port_.clearError();
        emit channel_.writeFailed(QStringLiteral("ERROR 2"), why);
    }
}

void QtSerialBackend::onError(QSerialPort::SerialPortError error) {
    // Errors of a failed open are read by open() itself.
    if (closing_ || !port_.isOpen())
        return;
    switch (error) {
    case QSerialPort::NoError:
    case QSerialPort::UnsupportedOperationError:
    case QSerialPort::TimeoutError:
        return;
    // A pseudo-terminal whose far end closed reads as end of file: a read error
    // without a system error of its own, so the port's error text is a stale one.
    case QSerialPort::ReadError:
    case QSerialPort::ResourceError: {
        const QString name = port_.portName();
        trace("port %s lost: error %d\r\n", name.toLocal8Bit().constData(),
              static_cast<int>(error));
        close();
        emit channel_.portLost(QString::fromStdString(portLostText(name.toStdString())));
        return;
    }
    case QSerialPort::WriteError: {
        const QString why = port_.errorString();
        port_.clearError();
        emit channel_.writeFailed(QStringLiteral("ERROR 1"), why);
        return;
    }
    default:
        trace("port error %d\r\n", static_cast<int>(error));
        port_.clearError();
        return;
    }
}

} // namespace

std::unique_ptr<SerialBackend> makeSerialBackend(CComm& channel) {
    return std::make_unique<QtSerialBackend>(channel);
}

} // namespace interlock
