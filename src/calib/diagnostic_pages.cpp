#include "calib/diagnostic_pages.h"

#include "app/page_controls.h"
#include "app/program.h"
#include "calib/value_fields.h"
#include "link/local_time.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QShowEvent>
#include <QVBoxLayout>

#include <ctime>

namespace interlock {

namespace {
constexpr std::uint8_t kPart1 = 1;

QString text(const std::string& value) {
    return QString::fromStdString(value);
}

// A check box without a caption of its own, in a row named by its label.
QCheckBox* addSwitchRow(QFormLayout& form, const QString& caption, QWidget* parent) {
    auto* box = new QCheckBox(parent);
    form.addRow(captionFor(*box, caption, parent), box);
    return box;
}
} // namespace

DiagnosticPage::DiagnosticPage(Program& program, DiagnosticsPage page, QWidget* parent)
    : QDialog(parent), program_(program), page_(page) {
    new QVBoxLayout(this);
    requests_.setInterval(kDiagnosisIntervalMs);
    connect(&requests_, &QTimer::timeout, this,
            [this] { diagnosisTick(program_.state(), sound_->isChecked(), relay_->isChecked()); });
    connect(&program_, &Program::diagnosisRefresh, this, &DiagnosticPage::redraw);
}

void DiagnosticPage::addDiagnosticsSection() {
    auto* section = new QGroupBox(QStringLiteral("DIAGNOSTICS"), this);
    auto* form = new QFormLayout(section);
    date_ = addValueRow(*form, QStringLiteral("DATE"), section);
    controlUnitSupply_ = addValueRow(*form, QStringLiteral("C/B VAT"), section);
    handsetSupply_ = addValueRow(*form, QStringLiteral("H/S VAT"), section);
    gSensor_ = addValueRow(*form, QStringLiteral("G-SENSOR"), section);
    sound_ = addSwitchRow(*form, QStringLiteral("CONTROL UNIT SOUND"), section);
    relay_ = addSwitchRow(*form, QStringLiteral("CONTROL UNIT RELAY"), section);
    layout()->addWidget(section);
}

void DiagnosticPage::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous() && !requests_.isActive()) {
        showView(diagnosticsPlaceholders());
        requests_.start();
    }
}

void DiagnosticPage::showView(const DiagnosticsView& view) {
    date_->setText(text(view.date));
    controlUnitSupply_->setText(text(view.controlUnitSupply));
    handsetSupply_->setText(text(view.handsetSupply));
    gSensor_->setText(text(view.gSensor));
}

void DiagnosticPage::redraw() {
    // Reports are drawn on the page of the interlock's product line.
    const ProgramState& state = program_.state();
    const bool part1 = state.identity.Part_type_f() == kPart1;
    if (part1 != (page_ == DiagnosticsPage::Part1))
        return;
    showView(
        diagnosticsView(state.diagnosis, state.identity.DUT(), localOffsetAt(std::time(nullptr))));
}

void DiagnosticPage::done(int result) {
    requests_.stop();
    diagnosticsClosed(program_.state(), page_);
    QDialog::done(result);
}

CDiagnostic_Part1::CDiagnostic_Part1(Program& program, QWidget* parent)
    : DiagnosticPage(program, DiagnosticsPage::Part1, parent) {
    setWindowTitle(QStringLiteral("Diagnostics PART1"));
    auto* violations = new QGroupBox(QStringLiteral("VIOLATION"), this);
    auto* form = new QFormLayout(violations);
    bypass_ = addValueRow(*form, QStringLiteral("BYPASS"), violations);
    noPower_ = addValueRow(*form, QStringLiteral("NO POWER"), violations);
    retestRefuse_ = addValueRow(*form, QStringLiteral("RETEST REFUSE"), violations);
    retestFail_ = addValueRow(*form, QStringLiteral("RETEST FAIL"), violations);
    startFail_ = addValueRow(*form, QStringLiteral("START FAIL"), violations);
    layout()->addWidget(violations);
    addDiagnosticsSection();
}

void CDiagnostic_Part1::showView(const DiagnosticsView& view) {
    bypass_->setText(text(view.bypass));
    noPower_->setText(text(view.noPower));
    retestRefuse_->setText(text(view.retestRefuse));
    retestFail_->setText(text(view.retestFail));
    startFail_->setText(text(view.startFail));
    DiagnosticPage::showView(view);
}

CDiagnostic_Part2::CDiagnostic_Part2(Program& program, QWidget* parent)
    : DiagnosticPage(program, DiagnosticsPage::Part2, parent) {
    setWindowTitle(QStringLiteral("Diagnostics PART2"));
    addDiagnosticsSection();
}

void CDiagnostic_Part2::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    DiagnosticPage::keyPressEvent(event);
}

} // namespace interlock
