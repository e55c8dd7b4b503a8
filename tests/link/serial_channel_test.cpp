// The serial channel over a real pseudo-terminal, with a scripted peer on the far end.
#include "link/codes.h"
#include "link/frame.h"
#include "link/program_state.h"
#include "link/response_dispatcher.h"
#include "link/serial_channel.h"

#include <QSignalSpy>
#include <QTest>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <vector>

using namespace interlock;

namespace {

// The interlock's side of a pty: the test writes its answers and reads requests.
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
    void send(const std::vector<std::uint8_t>& bytes) {
        QVERIFY(::write(fd_, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size()));
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

class ImmediateHost : public DispatcherHost {
  public:
    void later(int, std::function<void()> task) override { task(); }
    CivilTime utcNow() override { return {}; }
};

} // namespace

class SerialChannelTest : public QObject {
    Q_OBJECT
  private slots:
    void connectRequestReachesPeerAndIdentityLandsInState() {
        PtyPeer peer;
        QVERIFY(peer.ok());
        CComm channel;
        QVERIFY(channel.open(peer.devicePath()));
        ProgramState state;
        ImmediateHost host;
        ResponseDispatcher dispatcher(state, host);
        connect(&channel, &CComm::received, [&](const QByteArray& bytes) {
            dispatcher.onBytes(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                         static_cast<std::size_t>(bytes.size())));
        });
        state.link.setChannel(&channel);

        const std::uint8_t connectPayload[] = {0x01};
        state.link.send(request::Connect, connectPayload);
        QCOMPARE(peer.receive(6), frame(request::Connect, {0x01}));

        IdentityRecord identity;
        identity.set_Part_type_f(2);
        identity.set_DUT(ENUM_DUT_CONTROLBOX);
        identity.set_handset_serial("HS000042");
        peer.send(frame(response::TE_ID, {identity.bytes.begin(), identity.bytes.end()}));
        QTRY_COMPARE(state.identity.DUT(), ENUM_DUT_CONTROLBOX);
        QCOMPARE(state.identity.handset_serial(), std::string("HS000042"));
        QCOMPARE(state.dlg_enum, PageRequest::MainPart2);
    }

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
