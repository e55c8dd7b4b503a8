#pragma once

#include <string>

namespace interlock {

// What a firmware update needs from the FIRMWARE UPDATE page it runs on. Calls come
// from the receive handling and from the stream, so none of them may block or run
// a dialog there, except chooseImage, which is only called from beginTransfer.
class FirmwareUpdateHost {
  public:
    virtual ~FirmwareUpdateHost() = default;
    // Calls beginTransfer on the event loop, outside the receive handling.
    virtual void scheduleTransfer() = 0;
    // The file dialog for the image; the chosen path, or empty when cancelled.
    virtual std::string chooseImage() = 0;
    // A message box, scheduled on the event loop; `detail` goes below the text.
    virtual void showMessage(const std::string& text, const std::string& detail) = 0;
    // The percentage label shows `text`, the progress bar `percent`.
    virtual void showPercent(int percent, const std::string& text) = 0;
    // The percentage label shows a word instead ("WAIT", "FAIL").
    virtual void showStatus(const std::string& text) = 0;
    // The page's 200 ms timer, which calls tick.
    virtual void startTimer() = 0;
    virtual void stopTimer() = 0;
    // A transfer ended without the new firmware answering (dialog cancelled, file
    // refused, stream stopped, "FAIL", line lost): the page may be left again.
    virtual void offerCancel() = 0;
};

} // namespace interlock
