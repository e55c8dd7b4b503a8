#include "app/connect_procedure.h"

#include "app/port_names.h"
#include "link/codes.h"
#include "link/trace.h"

#include <algorithm>
#include <array>

namespace interlock {

namespace {

// Port 0 does not exist, so a name too short to carry a number opens nothing.
std::string pathToOpen(const std::string& selectedPort, bool windowsPortNames) {
    if (!windowsPortNames)
        return selectedPort;
    const unsigned number = portNumberFromName(selectedPort);
    return number == 0 ? std::string() : windowsPortPath(number);
}

} // namespace

ConnectVerdict connectToInterlock(ProgramState& state, ChannelOpener& opener,
                                  const std::string& selectedPort, bool fwUpdateChecked,
                                  bool windowsPortNames) {
    trace("PC_Connect\r\n");
    state.link.setChannel(nullptr);
    opener.close();
    state.identitySeen = false;

    const std::string path = pathToOpen(selectedPort, windowsPortNames);
    ChannelOpener::Opened opened;
    if (!path.empty())
        opened = opener.open(path);
    if (opened.channel == nullptr)
        return {.message = "Check " + selectedPort + " Communication", .detail = opened.detail};

    ConnectVerdict verdict{.connected = true};
    state.link.setChannel(opened.channel);
    if (fwUpdateChecked) {
        state.fwUpdateMode = true;
        state.fwReceiveMode = true;
        state.dlg_enum = PageRequest::MainPart2;
    } else {
        state.fwUpdateMode = false;
    }
    trace("send pc connect\r\n");
    static constexpr std::array<std::uint8_t, 1> kConnectPayload{0x01};
    state.link.send(request::Connect, kConnectPayload);
    return verdict;
}

void PortSelection::init(std::vector<std::string> ports) {
    trace("CPC_Connect_Dlg OnInit\r\n");
    sortLikeListBox(ports);
    entries_ = std::move(ports);
    selectedIndex_ = -1;
    selectedName_.clear();
    if (!entries_.empty())
        select(0);
}

void PortSelection::select(int index) {
    if (index < 0 || index >= static_cast<int>(entries_.size()))
        return;
    selectedIndex_ = index;
    selectedName_ = entries_[static_cast<std::size_t>(index)];
    trace("Port Sel = %d %s\r\n", index, selectedName_.c_str());
}

void PortSelection::follow(std::vector<std::string> ports) {
    sortLikeListBox(ports);
    const std::string selected = selectedName_;
    entries_ = std::move(ports);
    selectedIndex_ = -1;
    selectedName_.clear();
    const auto kept = std::find(entries_.begin(), entries_.end(), selected);
    if (kept != entries_.end())
        select(static_cast<int>(kept - entries_.begin()));
    else if (!entries_.empty())
        select(0);
}

void onConnectPageActivated(ProgramState& state) {
    state.closeMenuRequest = false;
    state.logDeleted = false;
}

} // namespace interlock
