#include "config/optional_feature_page.h"

#include "app/program.h"
#include "config/pairing_controls.h"
#include "link/trace.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace interlock {

namespace {
QRadioButton* radio(const QString& caption, QWidget* parent) {
    auto* button = new QRadioButton(caption, parent);
    button->setAccessibleName(caption);
    return button;
}
} // namespace

OptionalFeaturePage::OptionalFeaturePage(Program& program, FeatureForm form, QWidget* parent)
    : QDialog(parent), program_(program), form_(form) {
    setWindowTitle(QStringLiteral("OPTIONAL FEATURE"));
    auto* layout = new QVBoxLayout(this);
    const std::vector<bool> on = featureOpening(form, program.state());
    const auto rows = featureRows(form);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        // Each row is a group of its own, so its two radios exclude each other only.
        auto* group =
            new QGroupBox(QString::fromUtf8(rows[i].caption.data(),
                                            static_cast<qsizetype>(rows[i].caption.size())),
                          this);
        auto* pair = new QHBoxLayout(group);
        QRadioButton* onRadio = radio(QStringLiteral("ON"), group);
        QRadioButton* offRadio = radio(QStringLiteral("OFF"), group);
        pair->addWidget(onRadio);
        pair->addWidget(offRadio);
        (on[i] ? onRadio : offRadio)->setChecked(true);
        layout->addWidget(group);
        rows_.emplace_back(onRadio, offRadio);
    }
    const auto [ok, cancel] =
        addButtonRow(*layout, QStringLiteral("OK"), QStringLiteral("CANCEL"), this);
    connect(ok, &QPushButton::clicked, this, &OptionalFeaturePage::onOk);
    connect(cancel, &QPushButton::clicked, this, [this] {
        trace(form_ == FeatureForm::Part1 ? "OnBnClickedButtonOptionPart1Cancel\r\n"
                                          : "OnBnClickedButtonOptionPart2Cancel\r\n");
        reject();
    });
}

void OptionalFeaturePage::onOk() {
    std::vector<bool> on;
    for (const auto& row : rows_)
        on.push_back(row.first->isChecked());
    acceptUnless(*this, program_.prompter(), featureOk(form_, on, program_.requester()));
}

COptional_Feature_Part1::COptional_Feature_Part1(Program& program, QWidget* parent)
    : OptionalFeaturePage(program, FeatureForm::Part1, parent) {}

COptional_Feature_Part2::COptional_Feature_Part2(Program& program, QWidget* parent)
    : OptionalFeaturePage(program, FeatureForm::Part2, parent) {}

} // namespace interlock
