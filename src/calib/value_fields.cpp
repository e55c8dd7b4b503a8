#include "calib/value_fields.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

namespace interlock {

QLineEdit* addValueRow(QFormLayout& form, const QString& caption, QWidget* parent) {
    auto* field = new QLineEdit(parent);
    field->setReadOnly(true);
    field->setFocusPolicy(Qt::TabFocus);
    field->setAccessibleName(caption);
    auto* label = new QLabel(caption, parent);
    label->setBuddy(field);
    form.addRow(label, field);
    return field;
}

void setPixelFont(QWidget& widget, int pixelSize) {
    QFont font = widget.font();
    font.setPixelSize(pixelSize);
    widget.setFont(font);
}

} // namespace interlock
