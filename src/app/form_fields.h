#pragma once

#include <QString>

class QFormLayout;
class QLineEdit;
class QWidget;

namespace interlock {

// An edit box in `form` behind a label with `caption`; the box is named after the
// label for screen readers. `hidden` masks the characters typed.
QLineEdit* addEditRow(QFormLayout& form, const QString& caption, bool hidden, QWidget* parent);

} // namespace interlock
