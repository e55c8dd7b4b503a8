#pragma once

#include <QPlainTextEdit>
#include <QTimer>

#include <string>
#include <string_view>

namespace interlock {

// The DOWNLOAD page's log view: read-only, without a size limit, and fed in batches.
// Text handed over while a read runs is collected and moved to the end of the view at
// most about 60 times a second, so a log of 100,000 lines and more stays responsive:
// each batch lays out only its own lines.
class LogView : public QPlainTextEdit {
    Q_OBJECT
  public:
    static constexpr int kFlushMs = 16;

    explicit LogView(QWidget* parent = nullptr);

    // Screen text ("\r\n" line ends), shown at the next flush.
    void queue(std::string_view screenText);
    // Moves the collected text to the end of the view and scrolls it into view.
    void flush();
    // Drops the collected text and everything shown.
    void clearAll();
    bool hasQueued() const { return !queued_.empty(); }

  private:
    std::string queued_;
    QTimer flushTimer_;
};

} // namespace interlock
