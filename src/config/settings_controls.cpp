#include "config/settings_controls.h"

#include <QGridLayout>
#include <QLabel>

namespace interlock {

QLineEdit* numberEdit(const QString& name, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setAccessibleName(name);
    // Room for the longest value the pages take, a few digits.
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("00000000")));
    return edit;
}

void addLabel(QGridLayout& grid, const QString& caption, int row, int column, QWidget* parent,
              QWidget* buddy) {
    auto* label = new QLabel(caption, parent);
    label->setAccessibleName(caption);
    if (buddy)
        label->setBuddy(buddy);
    grid.addWidget(label, row, column);
}

void showText(QLineEdit& edit, const std::string& text) {
    const QString shown = QString::fromStdString(text);
    if (edit.text() != shown)
        edit.setText(shown);
}

} // namespace interlock
