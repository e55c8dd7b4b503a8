#pragma once

#include "log/log_download.h"
#include "log/log_download_host.h"
#include "log/log_view.h"

#include <QDialog>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include <filesystem>
#include <functional>

namespace interlock {

class Program;

// Opens the review of an export file over `parent`; the program's composition
// supplies it, so this page needs no review code.
using LogReviewOpener =
    std::function<void(const std::filesystem::path& exportFile, QWidget* parent)>;

// "DOWNLOAD": reads the interlock's log into the log view and an export file in
// `exportFolder`, and leads to deleting the log. While a read runs the page cannot
// be closed; READ LOG works once per opening; DELETE LOG is taken away by a read
// and given back only when the read completes. Given a review opener, the page
// also has REVIEW, enabled only by a complete read, which opens the review of the
// export file just written.
class CDownLoad_Part2 : public QDialog, private LogDownloadHost {
    Q_OBJECT
  public:
    CDownLoad_Part2(Program& program, std::filesystem::path exportFolder, QWidget* parent,
                    LogReviewOpener openReview = {});

    QLineEdit* registrationEdit() const { return registration_; }
    QPushButton* readLogButton() const { return readLog_; }
    QPushButton* deleteLogButton() const { return deleteLog_; }
    // Nothing without a review opener.
    QPushButton* reviewButton() const { return review_; }
    LogView* logView() const { return view_; }
    QProgressBar* progressBar() const { return progress_; }
    const LogDownload& download() const { return download_; }

    // Refused while a read runs (Escape, the close button).
    void reject() override;

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    // LogDownloadHost
    void appendToView(std::string_view screenText) override;
    void clearView() override;
    void setReadLogEnabled(bool enabled) override { readLog_->setEnabled(enabled); }
    void setDeleteLogEnabled(bool enabled) override;
    void showMessage(const std::string& text) override;

    void buildControls();
    void onReadLog();
    void onDeleteLog();
    void onReview();
    // Brings the view and the progress bar up to date with the read.
    void refresh();

    Program& program_;
    std::filesystem::path exportFolder_;
    LogDownload download_;
    LogReviewOpener openReview_;
    QLineEdit* registration_ = nullptr;
    QPushButton* readLog_ = nullptr;
    QPushButton* deleteLog_ = nullptr;
    QPushButton* review_ = nullptr;
    LogView* view_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QTimer refreshTimer_;
};

} // namespace interlock
