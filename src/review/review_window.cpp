#include "review/review_window.h"

#include "app/page_controls.h"
#include "review/event_filter.h"
#include "review/report_html.h"
#include "review/report_writer.h"
#include "review/timeline_painter.h"

#include <QElapsedTimer>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QVBoxLayout>

namespace interlock::review {

namespace {
// A slice of reading stays well below what a person notices as a stall.
constexpr int kSliceMs = 8;
constexpr std::size_t kLinesPerStep = 256;
constexpr std::size_t kBytesPerStep = 256 * 1024;
// The window fills in stages a little apart, so that the event loop gets its turns
// (input, painting, the chart's layout) in between.
constexpr int kStageGapMs = 5;
constexpr int kProgressSteps = 1000;
constexpr int kFilterDelayMs = 200;
constexpr int kIdentityPairs = 2;
constexpr int kCountPairs = 3;
// A value longer than this gets a row of its own in the summary.
constexpr std::size_t kLongValue = 24;
constexpr int kChartShare = 3;
constexpr int kListShare = 2;
constexpr int kLeastChartHeight = 260;
const QSize kWindowSize(1200, 880);
const QSize kReportChartSize(1600, 800);
const QString kChartImageName = QStringLiteral("chart");

QString local8(const std::string& text) {
    return QString::fromLocal8Bit(text.c_str(), static_cast<qsizetype>(text.size()));
}

QLabel* captionLabel(const QString& caption, QWidget* parent) {
    auto* label = new QLabel(caption, parent);
    label->setAccessibleName(caption);
    return label;
}
} // namespace

CLog_Review::CLog_Review(Prompter& prompter, QWidget* parent)
    : QDialog(parent), prompter_(prompter) {
    setWindowTitle(QStringLiteral("LOG REVIEW"));
    reading_ = captionLabel(QString(), this);
    progress_ = new QProgressBar(this);
    progress_->setAccessibleName(QStringLiteral("reading progress"));
    progress_->setRange(0, kProgressSteps);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(reading_);
    layout->addWidget(progress_);
    layout->addStretch();
    resize(kWindowSize);

    filterDelay_.setSingleShot(true);
    filterDelay_.setInterval(kFilterDelayMs);
    connect(&filterDelay_, &QTimer::timeout, this, &CLog_Review::applyFilter);
}

CLog_Review::~CLog_Review() = default;

bool CLog_Review::open(const std::filesystem::path& exportFile) {
    path_ = exportFile;
    const std::string name = exportFile.filename().string();
    setWindowTitle(QStringLiteral("LOG REVIEW - ") + local8(name));
    std::string reason;
    if (!loader_.open(exportFile, reason)) {
        prompter_.message(unreadableFileText(name, reason));
        return false;
    }
    reading_->setText(QStringLiteral("Reading ") + local8(name));
    QTimer::singleShot(0, this, &CLog_Review::readSome);
    return true;
}

void CLog_Review::fail(const std::string& message) {
    prompter_.message(message);
    reader_.reset();
    emit readFailed();
    reject();
}

void CLog_Review::readSome() {
    QElapsedTimer slice;
    slice.start();
    // First the file's bytes, then its lines; half of the bar each.
    if (!reader_) {
        std::string reason;
        while (!loader_.done() && slice.elapsed() < kSliceMs) {
            if (!loader_.readSome(kBytesPerStep, reason)) {
                fail(unreadableFileText(path_.filename().string(), reason));
                return;
            }
        }
        progress_->setValue(static_cast<int>(loader_.progress() * kProgressSteps / 2));
        if (loader_.done())
            reader_ = std::make_unique<ExportReader>(loader_.takeText());
        QTimer::singleShot(0, this, &CLog_Review::readSome);
        return;
    }
    while (reader_->step(kLinesPerStep) == ExportReader::Status::Reading &&
           slice.elapsed() < kSliceMs) {
    }
    progress_->setValue(static_cast<int>((1 + reader_->progress()) * kProgressSteps / 2));
    switch (reader_->status()) {
    case ExportReader::Status::Reading:
        QTimer::singleShot(0, this, &CLog_Review::readSome);
        return;
    case ExportReader::Status::Failed:
        fail(readFailureText(path_.filename().string(), reader_->error()));
        return;
    case ExportReader::Status::Done:
        log_ = std::move(reader_->log());
        reader_.reset();
        QTimer::singleShot(kStageGapMs, this, [this] {
            summary_ = summarize(log_);
            QTimer::singleShot(kStageGapMs, this, [this] {
                timeline_ = std::make_unique<Timeline>(log_);
                QTimer::singleShot(kStageGapMs, this, &CLog_Review::fillSummary);
            });
        });
        return;
    }
}

void CLog_Review::fillSummary() {
    delete reading_;
    delete progress_;
    reading_ = nullptr;
    progress_ = nullptr;
    auto* layout = static_cast<QVBoxLayout*>(this->layout());
    while (QLayoutItem* item = layout->takeAt(0))
        delete item;

    splitter_ = new QSplitter(Qt::Vertical, this);
    status_ = captionLabel(QString(), this);
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    saveReport_ = plainButton(QStringLiteral("Save report (PDF)"), this);
    saveReport_->setEnabled(false);
    auto* close = plainButton(QStringLiteral("Close"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(status_, 1);
    buttons->addWidget(saveReport_);
    buttons->addWidget(close);
    layout->addWidget(buildSummary());
    layout->addWidget(splitter_, 1);
    layout->addLayout(buttons);
    connect(saveReport_, &QPushButton::clicked, this, &CLog_Review::onSaveReport);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    QTimer::singleShot(kStageGapMs, this, &CLog_Review::fillChart);
}

void CLog_Review::fillChart() {
    chartView_ = new TimelineView(log_, *timeline_, this);
    chartView_->setMinimumHeight(kLeastChartHeight);
    splitter_->addWidget(chartView_);
    connect(chartView_, &TimelineView::eventClicked, this, &CLog_Review::selectEvent);
    connect(chartView_, &TimelineView::eventHovered, status_, &QLabel::setText);
    QTimer::singleShot(kStageGapMs, this, &CLog_Review::fillList);
}

void CLog_Review::fillList() {
    splitter_->addWidget(buildEventList());
    splitter_->setStretchFactor(0, kChartShare);
    splitter_->setStretchFactor(1, kListShare);
    splitter_->setSizes({kChartShare * height(), kListShare * height()});
    QTimer::singleShot(kStageGapMs, this, [this] {
        applyFilter();
        saveReport_->setEnabled(true);
        filled_ = true;
        emit filled();
    });
}

QWidget* CLog_Review::buildSummary() {
    auto* summary = new QWidget(this);
    auto* row = new QHBoxLayout(summary);
    row->setContentsMargins(0, 0, 0, 0);
    // Caption and value pairs side by side; a long value takes a whole row.
    const auto grid = [this, summary](const std::vector<SummaryRow>& rows, int pairsPerRow) {
        auto* layout = new QGridLayout;
        int at = 0;
        for (const SummaryRow& shown : rows) {
            const QString caption = QString::fromStdString(shown.caption);
            auto* value = new QLineEdit(local8(shown.value), summary);
            value->setReadOnly(true);
            value->setAccessibleName(caption);
            value->setCursorPosition(0);
            value->setToolTip(value->text());
            summaryFields_[caption] = value;
            const bool wide = shown.value.size() > kLongValue;
            if (wide && at % pairsPerRow != 0)
                at += pairsPerRow - at % pairsPerRow;
            const int gridRow = at / pairsPerRow;
            const int gridColumn = at % pairsPerRow * 2;
            layout->addWidget(captionLabel(caption, summary), gridRow, gridColumn);
            layout->addWidget(value, gridRow, gridColumn + 1, 1, wide ? -1 : 1);
            at += wide ? pairsPerRow : 1;
        }
        return layout;
    };
    row->addLayout(grid(identityRows(log_, summary_), kIdentityPairs), 1);
    row->addLayout(grid(countRows(log_, summary_), kCountPairs), 1);
    if (summary_.violations() > 0) {
        QLineEdit* violations = summaryFields_.at(QStringLiteral("Violations"));
        QPalette alert = violations->palette();
        alert.setColor(QPalette::Text, QColor(0xB0, 0x00, 0x00));
        violations->setPalette(alert);
    }
    return summary;
}

QWidget* CLog_Review::buildEventList() {
    auto* list = new QWidget(this);
    kindFilter_ = new QComboBox(list);
    for (int i = 0; i < kKindFilterCount; ++i)
        kindFilter_->addItem(QString::fromUtf8(filterCaption(static_cast<KindFilter>(i))));
    kindFilter_->setAccessibleName(QStringLiteral("Show"));
    textFilter_ = new QLineEdit(list);
    textFilter_->setAccessibleName(QStringLiteral("Find"));
    textFilter_->setPlaceholderText(QStringLiteral("event text or time"));
    textFilter_->setClearButtonEnabled(true);
    shownCount_ = captionLabel(QString(), list);
    auto* filters = new QHBoxLayout;
    filters->addWidget(captionLabel(QStringLiteral("Show"), list));
    filters->addWidget(kindFilter_);
    filters->addWidget(captionLabel(QStringLiteral("Find"), list));
    filters->addWidget(textFilter_, 1);
    filters->addWidget(shownCount_);

    model_ = new EventTableModel(log_, this);
    eventList_ = new QTableView(list);
    eventList_->setAccessibleName(QStringLiteral("events"));
    eventList_->setModel(model_);
    eventList_->setSelectionBehavior(QAbstractItemView::SelectRows);
    eventList_->setSelectionMode(QAbstractItemView::SingleSelection);
    eventList_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    eventList_->setWordWrap(false);
    // Fixed heights and widths: nothing is measured over a hundred thousand rows.
    QHeaderView* rows = eventList_->verticalHeader();
    rows->hide();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(fontMetrics().height() + 6);
    const int digit = fontMetrics().horizontalAdvance(QLatin1Char('0'));
    eventList_->setColumnWidth(EventTableModel::Number, digit * 8);
    eventList_->setColumnWidth(EventTableModel::Time, digit * 22);
    eventList_->setColumnWidth(EventTableModel::Kind, digit * 24);
    eventList_->horizontalHeader()->setStretchLastSection(true);

    auto* layout = new QVBoxLayout(list);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(filters);
    layout->addWidget(eventList_, 1);

    connect(kindFilter_, &QComboBox::currentIndexChanged, this, &CLog_Review::applyFilter);
    connect(textFilter_, &QLineEdit::textChanged, &filterDelay_, qOverload<>(&QTimer::start));
    connect(eventList_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &CLog_Review::onRowChanged);
    return list;
}

QLineEdit* CLog_Review::summaryField(const QString& caption) const {
    const auto found = summaryFields_.find(caption);
    return found == summaryFields_.end() ? nullptr : found->second;
}

void CLog_Review::applyFilter() {
    filterDelay_.stop();
    const QByteArray text = textFilter_->text().toLocal8Bit();
    model_->setShown(
        filterEvents(log_, static_cast<KindFilter>(kindFilter_->currentIndex()),
                     std::string_view(text.constData(), static_cast<std::size_t>(text.size()))));
    shownCount_->setText(QStringLiteral("%1 of %2 events")
                             .arg(model_->rowCount())
                             .arg(static_cast<qulonglong>(log_.events.size())));
    // The selection stays where it still is shown.
    if (const auto selected = chartView_->highlighted()) {
        if (const auto row = model_->rowOf(*selected)) {
            const QSignalBlocker quiet(eventList_->selectionModel());
            eventList_->selectRow(*row);
            eventList_->scrollTo(model_->index(*row, 0), QAbstractItemView::PositionAtCenter);
        }
    }
}

void CLog_Review::selectEvent(std::uint32_t event) {
    std::optional<int> row = model_->rowOf(event);
    if (!row) {
        const QSignalBlocker quietKind(kindFilter_);
        const QSignalBlocker quietText(textFilter_);
        kindFilter_->setCurrentIndex(static_cast<int>(KindFilter::All));
        textFilter_->clear();
        applyFilter();
        row = model_->rowOf(event);
    }
    eventList_->selectRow(*row);
    eventList_->scrollTo(model_->index(*row, 0), QAbstractItemView::PositionAtCenter);
    chartView_->highlight(event);
}

void CLog_Review::onRowChanged(const QModelIndex& current) {
    if (current.isValid())
        chartView_->highlight(model_->eventAt(current.row()));
}

void CLog_Review::onSaveReport() {
    const std::string chosen = prompter_.saveFileName("Save report (PDF)", "PDF (*.pdf)",
                                                      defaultReportPath(path_).string());
    if (chosen.empty())
        return;
    QString path = QString::fromStdString(chosen);
    if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        path += QStringLiteral(".pdf");
    saveReport(path);
}

bool CLog_Review::saveReport(const QString& path) {
    // The report shows the whole period, whatever the window shows.
    const QImage chart = timelinePicture(log_, *timeline_, kReportChartSize);
    const std::string html =
        reportHtml(log_, summary_, path_.filename().string(), kChartImageName.toStdString());
    const QString error = writePdfReport(path, local8(html), kChartImageName, chart);
    if (!error.isEmpty()) {
        prompter_.message("The report could not be saved.", error.toStdString());
        return false;
    }
    status_->setText(QStringLiteral("Report saved as ") + path);
    return true;
}

} // namespace interlock::review
