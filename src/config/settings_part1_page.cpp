#include "config/settings_part1_page.h"

#include "app/page_controls.h"
#include "app/program.h"
#include "config/settings_controls.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace interlock {

CSetting_Part1::CSetting_Part1(Program& program, QWidget* parent)
    : SettingsPage(program, parent), date_(numberEdit(QStringLiteral("SERVICE DATE"), this)),
      grace_(numberEdit(QStringLiteral("GRACE PERIOD"), this)),
      ok_(plainButton(QStringLiteral("OK"), this)),
      cancel_(plainButton(QStringLiteral("CANCEL"), this)) {
    setWindowTitle(QStringLiteral("Settings Part1"));
    auto* grid = new QGridLayout;
    addLabel(*grid, QStringLiteral("SERVICE DATE"), 0, 0, this, date_);
    grid->addWidget(date_, 0, 1);
    addLabel(*grid, QStringLiteral("(1~365 DAYS)"), 0, 2, this);
    addLabel(*grid, QStringLiteral("GRACE PERIOD"), 1, 0, this, grace_);
    grid->addWidget(grace_, 1, 1);
    addLabel(*grid, QStringLiteral("(1~250 DAYS)"), 1, 2, this);
    // Engineers reach the test page another way; this button stays hidden.
    QPushButton* test = plainButton(QStringLiteral("TEST"), this);
    test->hide();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* button : {ok_, cancel_, test})
        buttons->addWidget(button);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    for (const auto& [which, box] :
         {std::pair{Part1Edit::ServiceDate, date_}, std::pair{Part1Edit::GracePeriod, grace_}}) {
        connect(box, &QLineEdit::textChanged, this, [this, which = which](const QString& text) {
            takeChange([&] { form_.type(which, text.toStdString()); });
        });
    }
    connect(ok_, &QPushButton::clicked, this, &CSetting_Part1::onOk);
    connect(cancel_, &QPushButton::clicked, this, &CSetting_Part1::reject);
    form_.open(program_.state());
    showForm();
}

void CSetting_Part1::render() {
    showText(*date_, form_.text(Part1Edit::ServiceDate));
    showText(*grace_, form_.text(Part1Edit::GracePeriod));
}

void CSetting_Part1::onOk() {
    const auto verdict = runOk([this](Requester& requester) { return form_.ok(requester); });
    showForm();
    if (verdict && verdict->outcome == OkOutcome::Written)
        accept();
}

} // namespace interlock
