#include "calib/value_fields.h"

#include "app/page_controls.h"

#include <QFormLayout>
#include <QLineEdit>

namespace interlock {

QLineEdit* addValueRow(QFormLayout& form, const QString& caption, QWidget* parent) {
    auto* field = new QLineEdit(parent);
    field->setReadOnly(true);
    field->setFocusPolicy(Qt::TabFocus);
    form.addRow(captionFor(*field, caption, parent), field);
    return field;
}

} // namespace interlock
