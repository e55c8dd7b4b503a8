#include "calib/dry_gas_page.h"

#include "app/page_controls.h"
#include "app/program.h"
#include "calib/altitude.h"
#include "calib/value_fields.h"

#include <QEvent>
#include <QFormLayout>
#include <QShowEvent>
#include <QTimer>
#include <QVBoxLayout>

namespace interlock {

CCalibration_DryGas::CCalibration_DryGas(Program& program, DryGasMode mode,
                                         std::string& lastAltitude, QWidget* parent)
    : QDialog(parent), program_(program), run_(program.requester(), mode),
      lastAltitude_(lastAltitude) {
    buildControls();
    const DryGasOpening opening = run_.open(lastAltitude_);
    altitude_->setText(QString::fromStdString(opening.altitude));
    // Every later change counts as typed, however it is made (keys, assistive
    // technology, program): the next check starts at the altitude shown here.
    connect(altitude_, &QLineEdit::textChanged, this, &CCalibration_DryGas::onAltitudeChanged);
    start_->setEnabled(opening.startEnabled);
    altitude_->setEnabled(opening.startEnabled);
    startAtOnce_ = opening.startAtOnce;
    refreshTexts();

    connect(&program_, &Program::calibrationRefresh, this, &CCalibration_DryGas::refreshTexts);
}

void CCalibration_DryGas::buildControls() {
    setWindowTitle(QStringLiteral("DRY GAS"));
    start_ = plainButton(QStringLiteral("START CALIBRATION (DRY GAS)"), this);
    start_->setMinimumHeight(48);
    altitude_ = new QLineEdit(this);

    auto* form = new QFormLayout;
    form->addRow(captionFor(*altitude_, QStringLiteral("ALTITUDE"), this), altitude_);
    first_ = addValueRow(*form, QStringLiteral("STATUS OF FIRST CAL"), this);
    second_ = addValueRow(*form, QStringLiteral("STATUS OF SECOND CAL"), this);
    check_ = addValueRow(*form, QStringLiteral("STATUS OF CAL CHECK"), this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(start_);
    layout->addLayout(form);

    connect(start_, &QPushButton::clicked, this, &CCalibration_DryGas::onStart);
}

void CCalibration_DryGas::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous() && startAtOnce_) {
        startAtOnce_ = false;
        QTimer::singleShot(0, this, &CCalibration_DryGas::onStart);
    }
}

void CCalibration_DryGas::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        QTimer::singleShot(0, this, &CCalibration_DryGas::closeIfAsked);
}

void CCalibration_DryGas::closeIfAsked() {
    if (isVisible() && run_.closeOnActivation())
        reject();
}

void CCalibration_DryGas::onAltitudeChanged(const QString& text) {
    const std::string kept = altitudeTyped(text.toStdString());
    if (kept.empty() && !text.isEmpty())
        altitude_->clear();
    lastAltitude_ = kept;
}

void CCalibration_DryGas::onStart() {
    // Neither is touched while the request goes out and the interlock settles.
    const bool enabled = start_->isEnabled();
    start_->setEnabled(false);
    altitude_->setEnabled(false);
    const StartOutcome outcome = run_.start(altitude_->text().toStdString());
    if (outcome.sent)
        return;
    start_->setEnabled(enabled);
    altitude_->setEnabled(enabled);
    if (!outcome.message.empty())
        program_.prompter().message(outcome.message);
    if (outcome.clearAltitude)
        altitude_->clear();
}

void CCalibration_DryGas::refreshTexts() {
    const ProgramState& state = program_.state();
    first_->setText(QString::fromStdString(state.calFirstResult));
    second_->setText(QString::fromStdString(state.calSecondResult));
    check_->setText(QString::fromStdString(state.calValueText));
}

void CCalibration_DryGas::done(int result) {
    run_.close();
    QDialog::done(result);
}

} // namespace interlock
