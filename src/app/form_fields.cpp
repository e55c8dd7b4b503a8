#include "app/form_fields.h"

#include "app/page_controls.h"
#include "app/user_accounts.h"

#include <QFormLayout>
#include <QLineEdit>

namespace interlock {

QLineEdit* addEditRow(QFormLayout& form, const QString& caption, bool hidden, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setMaxLength(static_cast<int>(kUserFieldMax));
    if (hidden)
        edit->setEchoMode(QLineEdit::Password);
    form.addRow(captionFor(*edit, caption, parent), edit);
    return edit;
}

} // namespace interlock
