// The serial channel over a real pseudo-terminal, with a scripted peer on the far end.
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

    void vanishedPortClosesOnceAndSaysSo() {
        PtyPeer peer;
        QVERIFY(peer.ok());
        CComm channel;
        QVERIFY(channel.open(peer.devicePath()));
        QSignalSpy lost(&channel, &CComm::portLost);
        peer.hangUp();
        QTRY_COMPARE(lost.count(), 1);
        QVERIFY(!channel.isOpen());
        // The read just ended: whatever system error text was left over is no cause.
        const QString detail = lost.front().front().toString();
        QVERIFY2(detail.contains(QStringLiteral("hung up")), qPrintable(detail));
        QVERIFY2(!detail.contains(QStringLiteral("No such file")) &&
                     !detail.contains(QStringLiteral("ioctl")),
                 qPrintable(detail));
        QTest::qWait(200);
        QCOMPARE(lost.count(), 1);
        const std::uint8_t any[] = {1};
        channel.writeBytes(any); // a closed channel takes writes silently
    }

    void missingDeviceIsExplained() {
        CComm channel;
        QString detail;
        QVERIFY(!channel.open(QStringLiteral("/dev/does-not-exist-0"), &detail));
        QVERIFY2(detail.contains(QStringLiteral("does not exist")), qPrintable(detail));
        QVERIFY(!channel.isOpen());
    }
};

QTEST_GUILESS_MAIN(SerialChannelTest)
#include "serial_channel_test.moc"
