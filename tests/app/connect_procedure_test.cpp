#include "app/connect_procedure.h"
#include "link/codes.h"
#include "link_fixture.h"

#include <gtest/gtest.h>

namespace interlock {
namespace {

using testing::frameOf;

class FakeOpener : public ChannelOpener {
  public:
    void close() override { calls.push_back("close"); }
    Opened open(const std::string& path) override {
        calls.push_back("open " + path);
        return fail ? Opened{nullptr, "Permission denied"} : Opened{&channel, ""};
    }
    bool fail = false;
    testing::RecordingChannel channel;
    std::vector<std::string> calls;
};

class Connect : public testing::LinkTest {
  protected:
    Connect() { state.link.setChannel(nullptr); }
    ConnectVerdict connect(const std::string& port, bool fwMode = false, bool windows = false) {
        return connectToInterlock(state, opener, port, fwMode, windows);
    }
    static testing::Bytes identityAnswer(std::uint8_t partType) {
        testing::Bytes record(IdentityRecord::size);
        record[1] = partType;
        return frameOf(response::TE_ID, record);
    }
    FakeOpener opener;
};

TEST_F(Connect, SendsTheConnectRequestOnTheOpenedPort) {
    state.identitySeen = true;
    state.fwUpdateMode = true;
    const ConnectVerdict verdict = connect("/dev/pts/7");
    EXPECT_TRUE(verdict.connected);
    EXPECT_TRUE(verdict.message.empty());
    EXPECT_EQ(state.dlg_enum, PageRequest::None);
    EXPECT_EQ(opener.calls, (std::vector<std::string>{"close", "open /dev/pts/7"}));
    EXPECT_EQ(state.link.channel(), &opener.channel);
    EXPECT_FALSE(state.identitySeen);
    EXPECT_FALSE(state.fwUpdateMode);
    EXPECT_EQ(opener.channel.writes, std::vector<testing::Bytes>{frameOf(0x40, {0x01})});
    EXPECT_EQ(traces.text, "PC_Connect\r\nsend pc connect\r\n");
}

TEST_F(Connect, FirmwareUpdateModeOpensMainPart2AtOnce) {
    EXPECT_TRUE(connect("COM3", true, true).connected);
    EXPECT_EQ(state.dlg_enum, PageRequest::MainPart2);
    EXPECT_TRUE(state.fwUpdateMode);
    EXPECT_TRUE(state.fwReceiveMode);
    EXPECT_EQ(opener.channel.writes.size(), 1u);
}

TEST_F(Connect, WindowsNamesOpenByPortNumberAndFailuresSendNothing) {
    connect("COM12", false, true);
    opener.channel.writes.clear();
    // Too short to carry a port number: nothing is opened, the old port stays closed.
    ConnectVerdict verdict = connect("COM", false, true);
    EXPECT_EQ(verdict.message, "Check COM Communication");
    EXPECT_EQ(opener.calls, (std::vector<std::string>{"close", "open \\\\.\\COM12", "close"}));
    EXPECT_EQ(state.link.channel(), nullptr);
    EXPECT_EQ(connect("").message, "Check  Communication");

    opener.fail = true;
    verdict = connect("/dev/ttyS0", true);
    EXPECT_FALSE(verdict.connected);
    EXPECT_EQ(verdict.message, "Check /dev/ttyS0 Communication");
    EXPECT_EQ(verdict.detail, "Permission denied");
    EXPECT_EQ(state.dlg_enum, PageRequest::None);
    EXPECT_TRUE(opener.channel.writes.empty());
}

TEST_F(Connect, EveryConnectLetsTheNextIdentityChooseThePage) {
    connect("/dev/pts/1");
    feed(identityAnswer(2));
    EXPECT_EQ(state.dlg_enum, PageRequest::MainPart2);
    state.dlg_enum = PageRequest::None;
    feed(identityAnswer(2));
    EXPECT_EQ(state.dlg_enum, PageRequest::None);

    connect("/dev/pts/1");
    feed(identityAnswer(1));
    EXPECT_EQ(state.dlg_enum, PageRequest::SoftwareChange);
}

TEST(PortSelectionTest, ListIsSortedLikeTheListBoxAndTheFirstEntrySelected) {
    testing::TraceCapture traces;
    PortSelection ports;
    ports.init({"COM3", "COM10"});
    EXPECT_EQ(ports.entries(), (std::vector<std::string>{"COM10", "COM3"}));
    EXPECT_EQ(ports.selectedName(), "COM10");
    EXPECT_EQ(traces.text, "CPC_Connect_Dlg OnInit\r\nPort Sel = 0 COM10\r\n");
    ports.select(1);
    ports.select(2);
    EXPECT_EQ(ports.selectedName(), "COM3");

    ports.init({});
    EXPECT_EQ(ports.selectedName(), "");
}

TEST(PortSelectionTest, PluggedAndPulledPortsKeepTheSelectionWhileItIsThere) {
    PortSelection ports;
    ports.init({"/dev/ttyS0", "/dev/ttyUSB0"});
    ports.select(1);
    // A second adapter sorts before the chosen one: the chosen one stays selected.
    ports.follow({"/dev/ttyUSB0", "/dev/ttyS0", "/dev/ttyACM0"});
    EXPECT_EQ(ports.entries(),
              (std::vector<std::string>{"/dev/ttyACM0", "/dev/ttyS0", "/dev/ttyUSB0"}));
    EXPECT_EQ(ports.selectedName(), "/dev/ttyUSB0");
    EXPECT_EQ(ports.selectedIndex(), 2);

    // The chosen adapter is pulled: the first entry is selected, as on opening.
    ports.follow({"/dev/ttyS0", "/dev/ttyACM0"});
    EXPECT_EQ(ports.selectedName(), "/dev/ttyACM0");
    ports.follow({});
    EXPECT_EQ(ports.selectedIndex(), -1);
    EXPECT_EQ(ports.selectedName(), "");
}

} // namespace
} // namespace interlock
