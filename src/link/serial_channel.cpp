#include "link/serial_channel.h"

#include "link/serial_backend.h"

namespace interlock {

CComm::CComm(QObject* parent) : QObject(parent), port_(makeSerialBackend(*this)) {}

CComm::~CComm() {
    port_->close();
}

bool CComm::open(const QString& portName, QString* detail) {
    return port_->open(portName, detail);
}

void CComm::close() {
    port_->close();
}

bool CComm::isOpen() const {
    return port_->isOpen();
}

QString CComm::portName() const {
    return port_->portName();
}

void CComm::writeBytes(std::span<const std::uint8_t> bytes) {
    if (!bytes.empty())
        port_->write(bytes);
}

qint64 CComm::bytesToWrite() const {
    return port_->bytesToWrite();
}

} // namespace interlock
