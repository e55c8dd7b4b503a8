#include "app/form_fields.h"

#include "app/user_accounts.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

namespace interlock {

QLineEdit* addEditRow(QFormLayout& form, const QString& caption, bool hidden, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setMaxLength(static_cast<int>(kUserFieldMax));
    edit->setAccessibleName(caption);
    if (hidden)
        edit->setEchoMode(QLineEdit::Password);
    auto* label = new QLabel(caption, parent);
    label->setBuddy(edit);
    form.addRow(label, edit);
    return edit;
}

} // namespace interlock
