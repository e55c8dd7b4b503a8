#pragma once

#include <QString>

class QFormLayout;
class QLineEdit;
class QWidget;

namespace interlock {

// A read-only field the program fills, in `form` behind a label with `caption`, and
// named after it for screen readers.
QLineEdit* addValueRow(QFormLayout& form, const QString& caption, QWidget* parent);

} // namespace interlock
