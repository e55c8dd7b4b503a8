#pragma once

#include "app/prompter.h"
#include "review/event_table_model.h"
#include "review/export_file_loader.h"
#include "review/export_reader.h"
#include "review/review_summary.h"
#include "review/timeline.h"
#include "review/timeline_view.h"

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <QTimer>

#include <filesystem>
#include <map>
#include <memory>
#include <optional>

namespace interlock::review {

// "LOG REVIEW": a saved export file at a glance. The summary (who, when, how many
// of each kind, the highest reading), the timeline chart and the event list,
// filtered by kind and text, with the selection shared between chart and list; and
// the service report as PDF. The file is read in slices, so the window answers
// while a large log fills it.
class CLog_Review : public QDialog {
    Q_OBJECT
  public:
    explicit CLog_Review(Prompter& prompter, QWidget* parent = nullptr);
    ~CLog_Review() override;

    // Starts reading `exportFile`. False, with the reason shown, when it cannot be
    // opened; a file found damaged while it is read is shown the same way and the
    // window closes.
    bool open(const std::filesystem::path& exportFile);

    bool isFilled() const { return filled_; }
    const ExportLog& log() const { return log_; }
    const ReviewSummary& summary() const { return summary_; }
    const Timeline& timeline() const { return *timeline_; }
    TimelineView* timelineView() const { return chartView_; }
    QTableView* eventList() const { return eventList_; }
    EventTableModel* eventModel() const { return model_; }
    QComboBox* kindFilter() const { return kindFilter_; }
    QLineEdit* textFilter() const { return textFilter_; }
    QPushButton* saveReportButton() const { return saveReport_; }
    // The summary's value field of a caption, once filled.
    QLineEdit* summaryField(const QString& caption) const;

    // Selects an event in the list (showing every kind if the filter hides it)
    // and on the chart.
    void selectEvent(std::uint32_t event);
    // Writes the report to `path`; false, with the reason shown, when it fails.
    bool saveReport(const QString& path);

  signals:
    void filled();
    void readFailed();

  private:
    void readSome();
    // Fills the window in turns of the event loop: the counts and the timeline's
    // points, the summary, the chart, the list, its rows.
    void fillSummary();
    void fillChart();
    void fillList();
    void fail(const std::string& message);
    QWidget* buildSummary();
    QWidget* buildEventList();
    void applyFilter();
    void onSaveReport();
    void onRowChanged(const QModelIndex& current);

    Prompter& prompter_;
    std::filesystem::path path_;
    ExportFileLoader loader_;
    std::unique_ptr<ExportReader> reader_;
    ExportLog log_;
    ReviewSummary summary_;
    std::unique_ptr<Timeline> timeline_;

    QLabel* reading_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QSplitter* splitter_ = nullptr;
    QLabel* status_ = nullptr;
    QPushButton* saveReport_ = nullptr;
    TimelineView* chartView_ = nullptr;
    QTableView* eventList_ = nullptr;
    EventTableModel* model_ = nullptr;
    QComboBox* kindFilter_ = nullptr;
    QLineEdit* textFilter_ = nullptr;
    QLabel* shownCount_ = nullptr;
    QTimer filterDelay_;
    std::map<QString, QLineEdit*> summaryFields_;
    bool filled_ = false;
};

} // namespace interlock::review
