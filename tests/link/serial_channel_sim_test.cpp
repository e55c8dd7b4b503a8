// The serial channel against interlock-sim, the same test on either platform's port:
// the QSerialPort one on Linux, the Win32 one under Wine (through a COM port linked to
// the simulator's pseudo-terminal).
#include "link/codes.h"
#include "link/frame.h"
#include "link/records.h"
#include "link/serial_channel.h"
#include "sim/sim_process.h"

#include <QSignalSpy>
#include <QTest>

#include <vector>

using namespace interlock;

namespace {

constexpr int kIdentityFrame = static_cast<int>(IdentityRecord::size + kFrameOverhead);

std::vector<std::uint8_t> frame(std::uint8_t code, std::vector<std::uint8_t> payload = {}) {
    std::vector<std::uint8_t> out(payload.size() + kFrameOverhead);
    out.resize(buildFrame(code, payload, out));
    return out;
}

QByteArray joined(const QSignalSpy& received) {
    QByteArray all;
    for (const QList<QVariant>& chunk : received)
        all += chunk.front().toByteArray();
    return all;
}

} // namespace

class SerialChannelSimTest : public QObject {
    Q_OBJECT
  private slots:
    void answersArriveOnTheEventLoop() {
        sim::SimProcess sim;
        QVERIFY2(sim.start({"--no-pacing"}), sim.error().c_str());
        CComm channel;
        QString detail;
        QVERIFY2(channel.open(QString::fromStdString(sim.portPath()), &detail), qPrintable(detail));
        QSignalSpy received(&channel, &CComm::received);
        QSignalSpy written(&channel, &CComm::bytesWritten);
        // Two requests back to back: both go out whole and are answered in order.
        channel.writeBytes(frame(request::Connect, {0x01}));
        channel.writeBytes(frame(request::ReadOption));
        const int both = kIdentityFrame + static_cast<int>(Te_Option_t::size + kFrameOverhead);
        QTRY_COMPARE_WITH_TIMEOUT(joined(received).size(), both, 5000);
        const QByteArray bytes = joined(received);
        QCOMPARE(static_cast<std::uint8_t>(bytes[1]), response::TE_ID);
        QCOMPARE(static_cast<std::uint8_t>(bytes[kIdentityFrame + 1]), response::TE_OPTION);
        QCOMPARE(channel.bytesToWrite(), 0);
        QVERIFY(!written.isEmpty());
    }

    // Linux hears the hang-up at once; Wine's wait does not see a pseudo-terminal hang
    // up, so there the next write finds it. Either way the answer sent before comes
    // first, then one message, and the channel is closed.
    void aHungUpPortGivesItsBytesThenOneMessage() {
        sim::SimProcess sim;
        QVERIFY2(sim.start({"--no-pacing", "--hangup-after", "1"}), sim.error().c_str());
        CComm channel;
        QVERIFY(channel.open(QString::fromStdString(sim.portPath())));
        QSignalSpy received(&channel, &CComm::received);
        QSignalSpy lost(&channel, &CComm::portLost);
        QSignalSpy failed(&channel, &CComm::writeFailed);
        channel.writeBytes(frame(request::Connect, {0x01}));
        QTRY_COMPARE_WITH_TIMEOUT(joined(received).size(), kIdentityFrame, 5000);
        QTest::qWait(500);
        channel.writeBytes(frame(request::ReadOption));
        QTRY_COMPARE_WITH_TIMEOUT(lost.count(), 1, 5000);
        QCOMPARE(lost.front().front().toString(),
                 channel.portName() +
                     QStringLiteral(" was closed or hung up (the adapter unplugged, or the far "
                                    "end closed the line)."));
        QVERIFY(!channel.isOpen());
        QVERIFY(failed.isEmpty());
        channel.writeBytes(frame(request::ReadOption)); // a closed channel takes writes silently
        QTest::qWait(200);
        QCOMPARE(lost.count(), 1);
        QCOMPARE(joined(received).size(), kIdentityFrame);
    }

    void aMissingPortIsExplained() {
        CComm channel;
        QString detail;
#ifdef Q_OS_WIN
        const QString port = QStringLiteral("\\\\.\\COM199");
        const QString shown = QStringLiteral("COM199");
#else
        const QString port = QStringLiteral("/dev/does-not-exist-0");
        const QString shown = port;
#endif
        QVERIFY(!channel.open(port, &detail));
        QCOMPARE(detail, shown + QStringLiteral(" does not exist (is the adapter plugged in?)."));
        QVERIFY(!channel.isOpen());
    }
};

QTEST_GUILESS_MAIN(SerialChannelSimTest)
#include "serial_channel_sim_test.moc"
