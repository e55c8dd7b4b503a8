#include "config/test_page_dialog.h"

#include "app/program.h"
#include "config/pairing_controls.h"
#include "config/test_page_logic.h"
#include "link/diagnosis_control.h"
#include "link/system_clock.h"
#include "log/service_time.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace interlock {

namespace {

// One row of edits: its caption, the edits' names for screen readers and how many
// characters each holds (0: digits of any length).
struct EditRow {
    const char* caption;
    std::vector<std::pair<TestEdit, const char*>> edits;
    int maxLength = 0;
};

const std::vector<EditRow>& editRows() {
    static const std::vector<EditRow> rows{
        {"RETEST", {{TestEdit::RetestMin, "RETEST min"}, {TestEdit::RetestMax, "RETEST max"}}},
        {"MRETEST",
         {{TestEdit::MultiRetestMin, "MRETEST min"}, {TestEdit::MultiRetestMax, "MRETEST max"}}},
        {"START PERIOD", {{TestEdit::StartPeriod, "START PERIOD"}}},
        {"RSTART PERIOD", {{TestEdit::RestartPeriod, "RSTART PERIOD"}}},
        {"BLOCK TIME 1", {{TestEdit::BlockTime1, "BLOCK TIME 1"}}},
        {"BLOCK TIME 2", {{TestEdit::BlockTime2, "BLOCK TIME 2"}}},
        {"GRACE", {{TestEdit::Grace, "GRACE"}}},
        {"ALARM LEVEL", {{TestEdit::AlarmLevel, "ALARM LEVEL"}}},
        {"SERVICE DATE", {{TestEdit::ServiceDate, "SERVICE DATE"}}},
        {"CALIB DATE", {{TestEdit::CalibDate, "CALIB DATE"}}},
        {"OVERRIDE TIME", {{TestEdit::OverrideTime, "OVERRIDE TIME"}}},
        {"PIN CODE", {{TestEdit::PinCode, "PIN CODE"}}, static_cast<int>(Te_Service_t::kPinDigits)},
        {"HS SERIAL", {{TestEdit::HandSerial, "HS SERIAL"}}, 8},
        {"CB SERIAL", {{TestEdit::ControlSerial, "CB SERIAL"}}, 8},
    };
    return rows;
}

struct RadioRow {
    TestRadio radio;
    const char* caption;
    std::vector<const char*> choices;
};

const std::vector<RadioRow>& radioRows() {
    static const std::vector<RadioRow> rows{
        {TestRadio::LockOut, "LOCK OUT", {"OFF", "ON"}},
        {TestRadio::BlowType, "BLOW TYPE", {"NORMAL", "B-S", "B-S-B"}},
        {TestRadio::Unit, "UNIT", {"mg/L", "g/L", "%BAC", "mg/100mL"}},
        {TestRadio::Mode, "MODE", {"VALUE", "PASS/FAIL"}},
        {TestRadio::BlowLevel, "BLOW LEVEL", {"0.80L", "0.95L", "1.00L", "1.15L"}},
        {TestRadio::EarlyUse, "EARLY USE", {"OFF", "ON"}},
        {TestRadio::GSensor, "G-SENSOR", {"NONE", "SOFT", "NORMAL", "HARD"}},
    };
    return rows;
}

constexpr std::array<const char*, static_cast<std::size_t>(TestCheck::Count)> kCheckCaptions{
    "Driver Change", "Door Trigger", "Motor Cycle", "Alarm Relay", "Add Override"};

QCheckBox* namedBox(const QString& caption, QWidget* parent) {
    auto* box = new QCheckBox(caption, parent);
    box->setAccessibleName(caption);
    return box;
}

} // namespace

CTest_Dlg::CTest_Dlg(Program& program, QWidget* parent) : QDialog(parent), program_(program) {
    setWindowTitle(QStringLiteral("Dialog"));
    auto* layout = new QVBoxLayout(this);
    auto* columns = new QHBoxLayout;
    columns->addWidget(buildEdits());
    columns->addWidget(buildChoices());
    columns->addWidget(buildStatus());
    layout->addLayout(columns);
    const auto [write, cancel] =
        addButtonRow(*layout, QStringLiteral("Write"), QStringLiteral("Cancel"), this);
    write_ = write;
    connect(write, &QPushButton::clicked, this, &CTest_Dlg::onWrite);
    connect(cancel, &QPushButton::clicked, this, &CTest_Dlg::reject);

    outputs_.setInterval(kDiagnosisIntervalMs);
    connect(&outputs_, &QTimer::timeout, this,
            [this] { diagnosisTick(program_.state(), sound_->isChecked(), relay_->isChecked()); });
    outputs_.start();
    serviceTime_->setText(QString::fromStdString(
        serviceTimeText(program.state().service, program.state().localTimeOffset)));
    showFields(testPageFields(program.state()));
}

QWidget* CTest_Dlg::buildEdits() {
    auto* box = new QWidget(this);
    auto* grid = new QGridLayout(box);
    const auto* digits =
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this);
    int row = 0;
    for (const EditRow& entry : editRows()) {
        auto* label = new QLabel(QString::fromLatin1(entry.caption), box);
        grid->addWidget(label, row, 0);
        int column = 1;
        for (const auto& [which, name] : entry.edits) {
            auto* edit = new QLineEdit(box);
            edit->setAccessibleName(QString::fromLatin1(name));
            if (entry.maxLength > 0)
                edit->setMaxLength(entry.maxLength);
            const bool serial = which == TestEdit::HandSerial || which == TestEdit::ControlSerial;
            if (!serial)
                edit->setValidator(digits);
            label->setBuddy(edit);
            grid->addWidget(edit, row, column++);
            edits_[static_cast<std::size_t>(which)] = edit;
        }
        ++row;
    }
    return box;
}

QWidget* CTest_Dlg::buildChoices() {
    auto* box = new QWidget(this);
    auto* column = new QVBoxLayout(box);
    for (const RadioRow& entry : radioRows()) {
        auto* group = new QGroupBox(QString::fromLatin1(entry.caption), box);
        auto* row = new QHBoxLayout(group);
        auto* buttons = new QButtonGroup(group);
        for (std::size_t i = 0; i < entry.choices.size(); ++i) {
            const QString caption = QString::fromLatin1(entry.choices[i]);
            auto* radio = new QRadioButton(caption, group);
            radio->setAccessibleName(caption);
            buttons->addButton(radio, static_cast<int>(i));
            row->addWidget(radio);
        }
        radios_[static_cast<std::size_t>(entry.radio)] = buttons;
        column->addWidget(group);
    }
    auto* options = new QGroupBox(box);
    auto* optionRow = new QHBoxLayout(options);
    for (std::size_t i = 0; i < kCheckCaptions.size(); ++i) {
        checks_[i] = namedBox(QString::fromLatin1(kCheckCaptions[i]), options);
        optionRow->addWidget(checks_[i]);
    }
    column->addWidget(options);
    return box;
}

QWidget* CTest_Dlg::buildStatus() {
    auto* box = new QWidget(this);
    auto* grid = new QGridLayout(box);
    QLineEdit* part = addValueRow(*grid, 0, QStringLiteral("PART"), box);
    part->setText(QStringLiteral("PART2"));
    serviceTime_ = addValueRow(*grid, 1, QStringLiteral("SERVICE TIME"), box);
    // The diagnosis block keeps the texts it was drawn with; nothing fills it.
    int row = 2;
    for (const auto& [caption, text] :
         {std::pair{"DATE", "16/12/31"}, std::pair{"C/B VAT", "12.0V"},
          std::pair{"H/S VAT", "13.0V"}, std::pair{"G-SENSOR", "255"}}) {
        grid->addWidget(new QLabel(QString::fromLatin1(caption), box), row, 0);
        grid->addWidget(new QLabel(QString::fromLatin1(text), box), row++, 1);
    }
    sound_ = namedBox(QStringLiteral("CONTROL UNIT SOUND"), box);
    relay_ = namedBox(QStringLiteral("CONTROL UNIT RELAY"), box);
    grid->addWidget(sound_, row++, 0, 1, 2);
    grid->addWidget(relay_, row, 0, 1, 2);
    return box;
}

void CTest_Dlg::showFields(const TestPageFields& fields) {
    for (std::size_t i = 0; i < edits_.size(); ++i)
        edits_[i]->setText(textOfBytes(fields.edits[i]));
    for (std::size_t i = 0; i < radios_.size(); ++i) {
        if (QAbstractButton* radio = radios_[i]->button(fields.radios[i]))
            radio->setChecked(true);
    }
    for (std::size_t i = 0; i < checks_.size(); ++i)
        checks_[i]->setChecked(fields.checks[i]);
}

TestPageFields CTest_Dlg::fields() const {
    TestPageFields fields;
    for (std::size_t i = 0; i < edits_.size(); ++i)
        fields.edits[i] = bytesOfText(edits_[i]->text());
    for (std::size_t i = 0; i < radios_.size(); ++i)
        fields.radios[i] = radios_[i]->checkedId();
    for (std::size_t i = 0; i < checks_.size(); ++i)
        fields.checks[i] = checks_[i]->isChecked();
    return fields;
}

void CTest_Dlg::onWrite() {
    acceptUnless(*this, program_.prompter(),
                 testPageWrite(fields(), systemUtcNow(), program_.requester()));
}

void CTest_Dlg::done(int result) {
    if (!closed_) {
        closed_ = true;
        outputs_.stop();
        diagnosisOff(program_.state());
    }
    QDialog::done(result);
}

} // namespace interlock
