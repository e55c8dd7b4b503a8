#include "config/pairing_controls.h"

#include "app/page_controls.h"
#include "app/prompter.h"
#include "config/pin_code_digits.h"

#include <QBoxLayout>
#include <QDialog>
#include <QGridLayout>
#include <QLineEdit>

namespace interlock {

namespace {
QLineEdit* addNamedRow(QGridLayout& grid, int row, const QString& caption, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    grid.addWidget(captionFor(*edit, caption, parent), row, 0);
    grid.addWidget(edit, row, 1);
    return edit;
}
} // namespace

QLineEdit* addEditRow(QGridLayout& grid, int row, const QString& caption, int maxLength,
                      QWidget* parent) {
    QLineEdit* edit = addNamedRow(grid, row, caption, parent);
    if (maxLength > 0)
        edit->setMaxLength(maxLength);
    return edit;
}

QLineEdit* addValueRow(QGridLayout& grid, int row, const QString& caption, QWidget* parent) {
    QLineEdit* field = addNamedRow(grid, row, caption, parent);
    field->setReadOnly(true);
    return field;
}

void filterDigits(QLineEdit& edit, std::function<void()> changed) {
    QObject::connect(&edit, &QLineEdit::textChanged, &edit,
                     [&edit, changed = std::move(changed)](const QString& text) {
                         if (digitsOnly(bytesOfText(text)).empty() && !text.isEmpty()) {
                             edit.clear(); // changes the text again, and so reads the fields
                             return;
                         }
                         if (changed)
                             changed();
                     });
}

std::pair<QPushButton*, QPushButton*> addButtonRow(QBoxLayout& layout, const QString& ok,
                                                   const QString& cancel, QWidget* parent) {
    auto* okButton = plainButton(ok, parent);
    auto* cancelButton = plainButton(cancel, parent);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(okButton);
    row->addWidget(cancelButton);
    layout.addLayout(row);
    return {okButton, cancelButton};
}

void acceptUnless(QDialog& page, Prompter& prompter, const std::string& problem) {
    if (problem.empty())
        page.accept();
    else
        prompter.message(problem);
}

void applyPinVerdict(const PinPageVerdict& verdict, QLineEdit* time, QLineEdit& pin, QDialog& page,
                     Prompter& prompter) {
    if (verdict.timeText && time)
        time->setText(QString::fromStdString(*verdict.timeText));
    if (verdict.pinText)
        pin.setText(QString::fromStdString(*verdict.pinText));
    acceptUnless(page, prompter, verdict.message);
}

QString textOfBytes(const std::string& bytes) {
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::string bytesOfText(const QString& text) {
    return text.toLatin1().toStdString();
}

} // namespace interlock
