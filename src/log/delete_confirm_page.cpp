#include "log/delete_confirm_page.h"

#include "app/page_controls.h"
#include "app/page_support.h"
#include "app/program.h"
#include "link/trace.h"
#include "log/delete_log.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace interlock {

namespace {
QLabel* boldLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setAccessibleName(text);
    setHeavyFont(*label);
    return label;
}
} // namespace

DeleteConfirmPage::DeleteConfirmPage(Program& program, const QString& caption, Traces traces,
                                     QWidget* parent)
    : QDialog(parent), program_(program), traces_(traces),
      ok_(plainButton(QStringLiteral("OK"), this)),
      cancel_(plainButton(QStringLiteral("CANCEL"), this)) {
    setWindowTitle(caption);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(boldLabel(QStringLiteral("Have you downloaded log data?"), this));
    layout->addWidget(
        boldLabel(QStringLiteral("All record will be deleted if you press ok."), this));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    layout->addLayout(buttons);
    connect(ok_, &QPushButton::clicked, this, &DeleteConfirmPage::onOk);
    connect(cancel_, &QPushButton::clicked, this, [this] {
        trace("%s", traces_.cancel);
        reject();
    });
}

void DeleteConfirmPage::reject() {
    if (!deleting_)
        QDialog::reject();
}

void DeleteConfirmPage::onOk() {
    if (deleting_)
        return;
    trace("%s", traces_.ok);
    deleting_ = true;
    ok_->setEnabled(false);
    cancel_->setEnabled(false);
    const std::string failure = deleteLog(program_.requester());
    deleting_ = false;
    if (!failure.empty()) {
        // Refused or the line lost: the technician may try again or cancel.
        program_.prompter().message(failure);
        ok_->setEnabled(true);
        cancel_->setEnabled(true);
        return;
    }
    accept();
}

CDelete_Log_Part2::CDelete_Log_Part2(Program& program, QWidget* parent)
    : DeleteConfirmPage(program, QStringLiteral("DELETE LOG"),
                        {"OnBnClickedButtonDeleteRecordConfirmOkPart2\r\n",
                         "OnBnClickedButtonDeleteRecordConfirmCancelPart2\r\n"},
                        parent) {}

CDelete_Record_Confirm_Part1::CDelete_Record_Confirm_Part1(Program& program, QWidget* parent)
    : DeleteConfirmPage(program, QStringLiteral("DELETE RECORD"),
                        {"OnBnClickedButtonDeleteRecordConfirmOkPart1\r\n",
                         "OnBnClickedButtonDeleteRecordConfirmCancelPart1\r\n"},
                        parent) {}

bool DeleteConfirmPage::logDeleted() const {
    return program_.state().logDeleted;
}

bool confirmDelete(DeleteConfirmPage& confirmation) {
    runPage(confirmation);
    return confirmation.logDeleted();
}

} // namespace interlock
