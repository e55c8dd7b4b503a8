#pragma once

#include <string>
#include <string_view>

namespace interlock {

// What a log read needs from the DOWNLOAD page it was started on. The receivers
// run inside the dispatcher, so none of these may block or run a dialog there:
// a message box is scheduled on the event loop.
class LogDownloadHost {
  public:
    virtual ~LogDownloadHost() = default;
    // Appends screen text at the end of the log view and scrolls it into view.
    virtual void appendToView(std::string_view screenText) = 0;
    // Empties the log view.
    virtual void clearView() = 0;
    virtual void setReadLogEnabled(bool enabled) = 0;
    virtual void setDeleteLogEnabled(bool enabled) = 0;
    virtual void showMessage(const std::string& text) = 0;
};

} // namespace interlock
