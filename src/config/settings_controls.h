#pragma once

#include <QLineEdit>
#include <QString>

#include <string>

class QGridLayout;

namespace interlock {

// A numeric edit box named `name` for screen readers.
QLineEdit* numberEdit(const QString& name, QWidget* parent);
// A label with `caption` in `grid` at (`row`, `column`), for `buddy` when given.
void addLabel(QGridLayout& grid, const QString& caption, int row, int column, QWidget* parent,
              QWidget* buddy = nullptr);
// Shows `text` unless the box shows it already, so the cursor stays where it is.
void showText(QLineEdit& edit, const std::string& text);

} // namespace interlock
