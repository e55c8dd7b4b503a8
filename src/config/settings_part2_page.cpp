#include "config/settings_part2_page.h"

#include "app/page_controls.h"
#include "app/program.h"
#include "config/settings_controls.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace interlock {

namespace {

using E = Part2Edit;

// The file dialogs offer settings files first, then every file.
const std::string kFileFilter = "*.cfg;;All Files(*.*)";

QString qt(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A button whose caption names the action it takes; `subject` says what it switches.
QPushButton* switchButton(const QString& subject, QWidget* parent) {
    QPushButton* button = plainButton(QString(), parent);
    button->setAccessibleDescription(subject);
    return button;
}

void showCaption(QPushButton& button, std::string_view caption) {
    button.setText(qt(caption));
    button.setAccessibleName(qt(caption));
}

} // namespace

CSetting_Part2::CSetting_Part2(Program& program, QWidget* parent) : SettingsPage(program, parent) {
    setWindowTitle(QStringLiteral("SETTINGS"));
    auto* columns = new QHBoxLayout;
    columns->addWidget(timeSettings());
    auto* right = new QVBoxLayout;
    right->addWidget(userSettings());
    right->addWidget(additionalSettings());
    right->addWidget(overrideAndPin());
    columns->addLayout(right);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(footButtons());

    for (std::size_t i = 0; i < kPart2Edits; ++i) {
        connect(edits_[i], &QLineEdit::textChanged, this, [this, i](const QString& text) {
            takeChange([&] { form_.type(static_cast<Part2Edit>(i), text.toStdString()); });
        });
    }
    form_.open(program_.state());
    showForm();
}

QWidget* CSetting_Part2::timeSettings() {
    auto* group = new QGroupBox(QStringLiteral("TIME SETTING"), this);
    auto* grid = new QGridLayout(group);
    const auto edit = [this, group](Part2Edit which, const QString& name) {
        QLineEdit* box = numberEdit(name, group);
        edits_[static_cast<std::size_t>(which)] = box;
        return box;
    };
    const auto row = [&](int at, const QString& caption, Part2Edit which) {
        QLineEdit* box = edit(which, caption);
        addLabel(*grid, caption, at, 0, group, box);
        grid->addWidget(box, at, 2);
    };
    const auto pair = [&](int at, const QString& caption, Part2Edit min, Part2Edit max) {
        addLabel(*grid, caption, at, 0, group);
        QLineEdit* minBox = edit(min, caption + QStringLiteral(" MIN"));
        QLineEdit* maxBox = edit(max, caption + QStringLiteral(" MAX"));
        addLabel(*grid, QStringLiteral("MIN"), at, 1, group, minBox);
        grid->addWidget(minBox, at, 2);
        addLabel(*grid, QStringLiteral("MAX"), at, 3, group, maxBox);
        grid->addWidget(maxBox, at, 4);
        addLabel(*grid, QStringLiteral("(OFF : MIN 0 / MAX 0)"), at, 5, group);
    };

    serviceDate_ = switchButton(QStringLiteral("SERVICE DATE"), group);
    lockOut_ = switchButton(QStringLiteral("LOCK OUT"), group);
    row(0, QStringLiteral("SERVICE DATE (1~365 days)"), E::ServiceDate);
    grid->addWidget(serviceDate_, 0, 1);
    row(1, QStringLiteral("GRACE PERIOD (1~250 days) (OFF : 0)"), E::GracePeriod);
    grid->addWidget(lockOut_, 1, 3, 1, 2);
    pair(2, QStringLiteral("RETEST TIME (1~250 / 2~250 minutes)"), E::RetestMin, E::RetestMax);
    pair(3, QStringLiteral("MULTI-RETEST TIME (1~250 / 2~250 minutes)"), E::MultiRetestMin,
         E::MultiRetestMax);
    row(4, QStringLiteral("START PERIOD (1~60 minutes)"), E::StartPeriod);
    row(5, QStringLiteral("RESTART PERIOD (1~240 minutes)"), E::RestartPeriod);
    row(6, QStringLiteral("FIRST BLOCKING TIME (1~60 minutes)"), E::FirstBlockingTime);
    row(7, QStringLiteral("SECOND BLOCKING TIME (1~60 minutes)"), E::SecondBlockingTime);

    connect(serviceDate_, &QPushButton::clicked, this,
            [this] { takeChange([this] { form_.toggleServiceDate(); }); });
    connect(lockOut_, &QPushButton::clicked, this,
            [this] { takeChange([this] { form_.toggleLockOut(); }); });
    return group;
}

QWidget* CSetting_Part2::userSettings() {
    static const std::pair<Part2List, const char*> kCaptions[] = {
        {Part2List::Unit, "UNIT"},
        {Part2List::BlockingLimit, "BLOCKING LIMIT"},
        {Part2List::DisplayMode, "DISPLAY MODE"},
        {Part2List::BlowLevel, "BLOW LEVEL"},
        {Part2List::TypeOfBlowing, "TYPE OF BLOWING"},
        {Part2List::GSensor, "G-SENSOR"},
    };
    auto* group = new QGroupBox(QStringLiteral("USER SETTING"), this);
    auto* form = new QFormLayout(group);
    for (const auto& [which, text] : kCaptions) {
        const QString caption = QString::fromLatin1(text);
        auto* box = new QComboBox(group);
        box->setAccessibleName(caption);
        lists_[static_cast<std::size_t>(which)] = box;
        form->addRow(caption, box);
        connect(box, &QComboBox::currentIndexChanged, this, [this, which = which](int index) {
            takeChange([&] { form_.select(which, index); });
        });
    }
    return group;
}

QWidget* CSetting_Part2::additionalSettings() {
    auto* group = new QGroupBox(QStringLiteral("ADDITIONAL SETTING"), this);
    auto* grid = new QGridLayout(group);
    for (std::size_t row = 0; row < kRadioRows.size(); ++row) {
        const QString caption = qt(kRadioRows[row].caption);
        const int at = static_cast<int>(row);
        addLabel(*grid, caption, at, 0, group);
        auto* pair = new QButtonGroup(group);
        for (const int value : {1, 0}) {
            const QString text = value == 1 ? QStringLiteral("ON") : QStringLiteral("OFF");
            auto* button = new QRadioButton(text, group);
            button->setAccessibleName(text);
            button->setAccessibleDescription(caption);
            pair->addButton(button);
            grid->addWidget(button, at, value == 1 ? 1 : 2);
            radios_[row][value] = button;
            connect(button, &QRadioButton::toggled, this, [this, row, value](bool checked) {
                if (checked)
                    takeChange([&] { form_.setRadio(kRadioRows[row].value, value); });
            });
        }
    }
    return group;
}

QWidget* CSetting_Part2::overrideAndPin() {
    // "&&" shows one ampersand rather than marking a shortcut.
    auto* group = new QGroupBox(QStringLiteral("OVERRIDE && PIN CODE"), this);
    auto* grid = new QGridLayout(group);
    override_ = switchButton(QStringLiteral("OVERRIDE"), group);
    addLabel(*grid, QStringLiteral("OVERRIDE"), 0, 0, group);
    grid->addWidget(override_, 0, 1);
    QLineEdit* time = numberEdit(QStringLiteral("TIME"), group);
    edits_[static_cast<std::size_t>(E::OverrideTime)] = time;
    addLabel(*grid, QStringLiteral("TIME"), 1, 0, group, time);
    grid->addWidget(time, 1, 1);
    addLabel(*grid, QStringLiteral("(1~2200 hours)"), 1, 2, group);
    QLineEdit* pin = numberEdit(QStringLiteral("PIN CODE"), group);
    edits_[static_cast<std::size_t>(E::PinCode)] = pin;
    addLabel(*grid, QStringLiteral("PIN CODE"), 2, 0, group, pin);
    grid->addWidget(pin, 2, 1);
    connect(override_, &QPushButton::clicked, this,
            [this] { takeChange([this] { form_.toggleOverride(); }); });
    return group;
}

QLayout* CSetting_Part2::footButtons() {
    ok_ = plainButton(QStringLiteral("OK"), this);
    cancel_ = plainButton(QStringLiteral("CANCEL"), this);
    save_ = plainButton(QStringLiteral("SAVE"), this);
    load_ = plainButton(QStringLiteral("LOAD"), this);
    // Engineers reach the test page another way; this button stays hidden.
    QPushButton* test = plainButton(QStringLiteral("TEST"), this);
    test->hide();
    auto* row = new QHBoxLayout;
    row->addStretch();
    for (QPushButton* button : {ok_, cancel_, save_, load_, test})
        row->addWidget(button);
    connect(ok_, &QPushButton::clicked, this, &CSetting_Part2::onOk);
    connect(cancel_, &QPushButton::clicked, this, [this] {
        form_.cancel();
        reject();
    });
    connect(save_, &QPushButton::clicked, this, [this] {
        fileAction(program_.prompter().saveFileName("Save As", kFileFilter),
                   [this](const std::string& path) { return form_.save(path); });
    });
    connect(load_, &QPushButton::clicked, this, [this] {
        fileAction(program_.prompter().openFileName("Open", kFileFilter),
                   [this](const std::string& path) { return form_.load(path, program_.state()); });
    });
    return row;
}

void CSetting_Part2::render() {
    for (std::size_t i = 0; i < kPart2Edits; ++i) {
        const auto which = static_cast<Part2Edit>(i);
        showText(*edits_[i], form_.text(which));
        edits_[i]->setEnabled(form_.enabled(which));
    }
    showCaption(*serviceDate_, form_.serviceDateCaption());
    showCaption(*lockOut_, form_.lockOutCaption());
    lockOut_->setEnabled(form_.lockOutEnabled());
    showCaption(*override_, form_.overrideCaption());
    for (std::size_t row = 0; row < kRadioRows.size(); ++row)
        radios_[row][form_.radio(kRadioRows[row].value)]->setChecked(true);
    renderLists();
    save_->setEnabled(form_.saveEnabled());
}

void CSetting_Part2::renderLists() {
    const int unit = form_.selected(Part2List::Unit);
    for (std::size_t i = 0; i < kPart2Lists; ++i) {
        const auto which = static_cast<Part2List>(i);
        QComboBox* box = lists_[i];
        // The lists are filled once; BLOCKING LIMIT again for each new unit.
        const bool refill =
            which == Part2List::BlockingLimit ? blockingItemsUnit_ != unit : box->count() == 0;
        if (refill) {
            box->clear();
            for (const std::string_view item : listItems(which, unit))
                box->addItem(qt(item));
        }
        box->setCurrentIndex(form_.selected(which));
    }
    blockingItemsUnit_ = unit;
    list(Part2List::GSensor)->setEnabled(form_.gSensorEnabled());
}

void CSetting_Part2::onOk() {
    runOk([this](Requester& requester) { return form_.ok(requester); });
    showForm();
}

void CSetting_Part2::fileAction(const std::string& chosen,
                                const std::function<FileOutcome(const std::string&)>& act) {
    if (chosen.empty())
        return;
    const FileOutcome outcome = act(chosen);
    if (!outcome.ok) {
        // The system's account of the failure, then the program's own message.
        program_.prompter().message(outcome.report);
        program_.prompter().message("FILE OPEN ERROR");
    } else if (!outcome.note.empty()) {
        program_.prompter().message(outcome.note);
    }
    showForm();
}

} // namespace interlock
