#pragma once

#include "link/byte_channel.h"
#include "link/program_state.h"

#include <string>
#include <vector>

namespace interlock {

// Opens and closes the program's serial channel.
class ChannelOpener {
  public:
    struct Opened {
        ByteChannel* channel = nullptr; // null when the port could not be opened
        std::string detail{};           // why not, for the message box's informative text
    };
    virtual ~ChannelOpener() = default;
    // Closes the channel; harmless when no port is open.
    virtual void close() = 0;
    // Opens `path` at the link's fixed settings.
    virtual Opened open(const std::string& path) = 0;
};

struct ConnectVerdict {
    bool connected = false;
    std::string message{}; // message box text, empty for none
    std::string detail{};  // informative text of the message box
};

// "Connect": closes the channel, opens the selected port and sends the PC connect
// request. On Windows the port is opened by its number ("COM12" opens port 12);
// elsewhere the list entry is the device path itself.
ConnectVerdict connectToInterlock(ProgramState& state, ChannelOpener& opener,
                                  const std::string& selectedPort, bool fwUpdateChecked,
                                  bool windowsPortNames);

// The PC Connect page's port list and selection.
class PortSelection {
  public:
    // Initialisation: fills the list in list-box order and selects its first entry.
    void init(std::vector<std::string> ports);
    // A selection change in the list.
    void select(int index);
    // The system's ports changed while the page is open: the list is filled again and
    // keeps the selected port while it is still there, else selects the first entry.
    void follow(std::vector<std::string> ports);

    const std::vector<std::string>& entries() const { return entries_; }
    std::size_t portCount() const { return entries_.size(); }
    int selectedIndex() const { return selectedIndex_; }
    const std::string& selectedName() const { return selectedName_; }

  private:
    std::vector<std::string> entries_;
    int selectedIndex_ = -1;
    std::string selectedName_;
};

// The PC Connect page became active again: a new connection starts clean.
void onConnectPageActivated(ProgramState& state);

} // namespace interlock
