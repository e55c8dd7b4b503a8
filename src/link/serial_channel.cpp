#include "link/serial_channel.h"

#include "link/trace.h"

#include <QElapsedTimer>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

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

#ifdef Q_OS_UNIX
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
#endif
} // namespace

QString explainOpenFailure(const QString& portName, QSerialPort::SerialPortError error,
                           const QString& systemText) {
    switch (error) {
    case QSerialPort::DeviceNotFoundError:
        return QStringLiteral("%1 does not exist (is the adapter plugged in?).").arg(portName);
    case QSerialPort::PermissionError:
#ifdef Q_OS_UNIX
        if (QFileInfo::exists(portName) && accessDenied(portName)) {
            const QString group = owningGroup(portName);
            return QStringLiteral("No access to %1. Join the group \"%2\" that may use it "
                                  "(sudo usermod -aG %2 $USER) and log in again.")
                .arg(portName, group.isEmpty() ? QStringLiteral("dialout") : group);
        }
#endif
        return QStringLiteral("%1 is in use by another program, or its lock file is held.")
            .arg(portName);
    default:
        return QStringLiteral("%1: %2").arg(portName, systemText);
    }
}

QString explainPortLoss(const QString& portName) {
    return QStringLiteral("%1 was closed or hung up (the adapter unplugged, or the far end "
                          "closed the line).")
        .arg(portName);
}

CComm::CComm(QObject* parent) : QObject(parent) {
    connect(&port_, &QSerialPort::readyRead, this, [this] { emit received(port_.readAll()); });
    connect(&port_, &QSerialPort::errorOccurred, this, &CComm::onError);
    connect(&port_, &QSerialPort::bytesWritten, this, &CComm::bytesWritten);
}

CComm::~CComm() {
    close();
}

bool CComm::open(const QString& portName, QString* detail) {
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

void CComm::close() {
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

void CComm::writeBytes(std::span<const std::uint8_t> bytes) {
    if (!port_.isOpen() || bytes.empty())
        return;
    const auto size = static_cast<qint64>(bytes.size());
    if (port_.write(reinterpret_cast<const char*>(bytes.data()), size) != size) {
        const QString why = port_.errorString();
        port_.clearError();
        emit writeFailed(QStringLiteral("ERROR 2"), why);
    }
}

void CComm::onError(QSerialPort::SerialPortError error) {
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
        emit portLost(explainPortLoss(name));
        return;
    }
    case QSerialPort::WriteError: {
        const QString why = port_.errorString();
        port_.clearError();
        emit writeFailed(QStringLiteral("ERROR 1"), why);
        return;
    }
    default:
        trace("port error %d\r\n", static_cast<int>(error));
        port_.clearError();
        return;
    }
}

} // namespace interlock
