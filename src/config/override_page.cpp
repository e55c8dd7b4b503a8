#include "config/override_page.h"

#include "app/page_controls.h"
#include "app/program.h"
#include "config/override_logic.h"
#include "config/pairing_controls.h"
#include "config/pin_code_digits.h"
#include "link/trace.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace interlock {

COverride::COverride(Program& program, QWidget* parent) : QDialog(parent), program_(program) {
    setWindowTitle(QStringLiteral("OVERRIDE"));
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    auto* overrideLabel = new QLabel(QStringLiteral("OVERRIDE"), this);
    onOff_ = plainButton(QString(), this);
    onOff_->setAccessibleDescription(QStringLiteral("OVERRIDE"));
    overrideLabel->setBuddy(onOff_);
    grid->addWidget(overrideLabel, 0, 0);
    grid->addWidget(onOff_, 0, 1);
    time_ = addEditRow(*grid, 1, QStringLiteral("TIME"), 0, this);
    grid->addWidget(new QLabel(QStringLiteral("(1~2200 hours)"), this), 1, 2);
    pin_ = addEditRow(*grid, 2, QStringLiteral("PIN CODE"), static_cast<int>(kPinLength), this);
    layout->addLayout(grid);
    const auto [ok, cancel] =
        addButtonRow(*layout, QStringLiteral("OK"), QStringLiteral("CANCEL"), this);

    const OverrideFields opening = overrideOpening(program.state());
    overrideOff_ = opening.overrideOff;
    time_->setText(QString::fromStdString(opening.time));
    pin_->setText(QString::fromStdString(opening.pin));
    applyLook();
    filterDigits(*time_, [this] { readFields(); });
    filterDigits(*pin_, [this] { readFields(); });

    connect(onOff_, &QPushButton::clicked, this, [this] {
        trace("OnBnClickedButtonOverrideOnOff\r\n");
        overrideOff_ = !overrideOff_;
        applyLook();
    });
    connect(ok, &QPushButton::clicked, this, &COverride::onOk);
    connect(cancel, &QPushButton::clicked, this, [this] {
        trace("OnBnClickedButtonOverrideCancel\r\n");
        reject();
    });
}

OverrideFields COverride::fields() const {
    return {overrideOff_, bytesOfText(time_->text()), bytesOfText(pin_->text())};
}

void COverride::readFields() const {
    if (overrideFieldsTooLong(fields()))
        program_.prompter().message(std::string(kOverrideMaxCharsMessage));
}

void COverride::applyLook() {
    const OverrideLook look = overrideLook(overrideOff_);
    const QString caption = QString::fromStdString(look.buttonCaption);
    onOff_->setText(caption);
    onOff_->setAccessibleName(caption);
    time_->setEnabled(look.editsEnabled);
    pin_->setEnabled(look.editsEnabled);
}

void COverride::onOk() {
    readFields();
    applyPinVerdict(overrideOk(fields(), program_.requester()), time_, *pin_, *this,
                    program_.prompter());
}

} // namespace interlock
