#include "calib/calibration_time_page.h"

#include "app/page_controls.h"
#include "app/program.h"
#include "calib/time_check.h"
#include "calib/value_fields.h"
#include "link/local_time.h"
#include "link/system_clock.h"
#include "log/service_time.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include <ctime>

namespace interlock {

namespace {
constexpr int kTimeFontPixels = 50;
} // namespace

CCalibration_Time::CCalibration_Time(Program& program, QWidget* parent)
    : QDialog(parent), program_(program), service_(plainButton(QStringLiteral("SERVICE"), this)),
      extraService_(plainButton(QStringLiteral("EXTRA SERVICE"), this)),
      cancel_(plainButton(QStringLiteral("CANCEL"), this)) {
    setWindowTitle(QStringLiteral("Time Check"));
    auto* form = new QFormLayout;
    time_ = addValueRow(*form, QStringLiteral("TIME"), this);
    setPixelFont(*time_, kTimeFontPixels);
    time_->setMinimumWidth(
        time_->fontMetrics().horizontalAdvance(QStringLiteral("00-00-00 00:00 ")));
    const std::string shown =
        serviceTimeText(program_.state().service, localOffsetAt(std::time(nullptr)));
    time_->setText(QString::fromStdString(shown));

    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {service_, extraService_, cancel_})
        buttons->addWidget(button);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);

    connect(service_, &QPushButton::clicked, this,
            [this] { closeUnlessFailed(recordService(program_.requester(), systemUtcNow())); });
    connect(extraService_, &QPushButton::clicked, this,
            [this] { closeUnlessFailed(recordExtraService(program_.requester())); });
    connect(cancel_, &QPushButton::clicked, this, [this] {
        cancelTimeCheck();
        reject();
    });
}

void CCalibration_Time::closeUnlessFailed(const std::string& failure) {
    if (failure.empty())
        accept();
    else
        program_.prompter().message(failure);
}

} // namespace interlock
