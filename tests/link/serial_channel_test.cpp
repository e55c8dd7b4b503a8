// The serial channel over a real pseudo-terminal, with a scripted peer on the far end:
// what it was asked to write leaves even when it is closed at once. Hang-ups and
// missing ports are met against interlock-sim (serial_channel_sim_test.cpp).
#include "link/codes.h"
#include "link/frame.h"
#include "link/serial_channel.h"

#include <QSignalSpy>
#include <QTest>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <vector>

using namespace interlock;

namespace {

// The interlock's side of a pty: the test reads the requests or hangs up.
class PtyPeer {
  public:
    PtyPeer() {
        fd_ = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (fd_ >= 0 && (::grantpt(fd_) != 0 || ::unlockpt(fd_) != 0)) {
            ::close(fd_);
            fd_ = -1;
        }
    }
    ~PtyPeer() { hangUp(); }
    bool ok() const { return fd_ >= 0; }
    QString devicePath() const { return QString::fromLocal8Bit(::ptsname(fd_)); }
    void hangUp() {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
    }
    // Reads until `count` bytes came or the time is up, letting Qt write meanwhile.
    std::vector<std::uint8_t> receive(std::size_t count, int timeoutMs = 2000) {
        std::vector<std::uint8_t> got;
        QElapsedTimer clock;
        clock.start();
        while (got.size() < count && clock.elapsed() < timeoutMs) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            pollfd pfd{fd_, POLLIN, 0};
            if (::poll(&pfd, 1, 10) > 0 && (pfd.revents & POLLIN)) {
                std::uint8_t buffer[256];
                const ssize_t n = ::read(fd_, buffer, sizeof buffer);
                if (n > 0)
                    got.insert(got.end(), buffer, buffer + n);
            }
        }
        return got;
    }

  private:
    int fd_ = -1;
};

std::vector<std::uint8_t> frame(std::uint8_t code, std::vector<std::uint8_t> payload) {
    std::vector<std::uint8_t> out(payload.size() + kFrameOverhead);
    out.resize(buildFrame(code, payload, out));
    return out;
}

} // namespace

class SerialChannelTest : public QObject {
    Q_OBJECT
  private slots:
    void requestsWrittenJustBeforeCloseStillLeave() {
        PtyPeer peer;
        QVERIFY(peer.ok());
        CComm channel;
        QVERIFY(channel.open(peer.devicePath()));
        const std::vector<std::uint8_t> settings =
            frame(request::WriteConfig, std::vector<std::uint8_t>(19, 7));
        const std::vector<std::uint8_t> end = frame(request::CalibrationEnd, {});
        channel.writeBytes(settings);
        channel.writeBytes(end);
        channel.close();
        std::vector<std::uint8_t> both = settings;
        both.insert(both.end(), end.begin(), end.end());
        QCOMPARE(peer.receive(both.size()), both);
    }
};

QTEST_GUILESS_MAIN(SerialChannelTest)
#include "serial_channel_test.moc"
