#include "config/settings_page.h"

#include "app/program.h"

#include <QScopedValueRollback>

namespace interlock {

SettingsPage::SettingsPage(Program& program, QWidget* parent)
    : QDialog(parent), program_(program) {}

void SettingsPage::reject() {
    if (!writing_)
        QDialog::reject();
}

std::optional<OkVerdict> SettingsPage::runOk(const std::function<OkVerdict(Requester&)>& ok) {
    if (writing_)
        return std::nullopt;
    writing_ = true;
    const OkVerdict verdict = ok(program_.requester());
    writing_ = false;
    if (!verdict.message.empty())
        program_.prompter().message(verdict.message);
    return verdict;
}

void SettingsPage::showForm() {
    const QScopedValueRollback showing(showing_, true);
    render();
}

void SettingsPage::takeChange(const std::function<void()>& take) {
    if (showing_ || writing_)
        return;
    take();
    showForm();
}

} // namespace interlock
