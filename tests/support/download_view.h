#pragma once

#include "log/log_download_host.h"

#include <cstddef>
#include <string>
#include <vector>

namespace interlock::testing {

// The DOWNLOAD page as a log read sees it: the view's text (kept unless
// `keepText` is false, then only counted), the messages and the buttons' state.
class DownloadView : public LogDownloadHost {
  public:
    explicit DownloadView(bool keepText = true) : keepText_(keepText) {}

    void appendToView(std::string_view text) override {
        shownBytes += text.size();
        if (keepText_)
            view += text;
    }
    void clearView() override {
        view.clear();
        shownBytes = 0;
    }
    void setReadLogEnabled(bool on) override { readLogEnabled = on; }
    void setDeleteLogEnabled(bool on) override { deleteLogEnabled = on; }
    void showMessage(const std::string& text) override { messages.push_back(text); }

    std::string view;
    std::size_t shownBytes = 0;
    std::vector<std::string> messages;
    bool readLogEnabled = true;
    bool deleteLogEnabled = true;

  private:
    bool keepText_;
};

} // namespace interlock::testing
