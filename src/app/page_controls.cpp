#include "app/page_controls.h"

namespace interlock {

QPushButton* plainButton(const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setAccessibleName(caption);
    button->setAutoDefault(false);
    return button;
}

QLabel* captionFor(QWidget& field, const QString& caption, QWidget* parent) {
    auto* label = new QLabel(caption, parent);
    label->setBuddy(&field);
    field.setAccessibleName(caption);
    return label;
}

void setPixelFont(QWidget& widget, int pixelSize) {
    QFont font = widget.font();
    font.setPixelSize(pixelSize);
    widget.setFont(font);
}

void setHeavyFont(QWidget& widget, int pixelSize) {
    QFont font = widget.font();
    font.setPixelSize(pixelSize);
    font.setWeight(QFont::Weight(1000)); // weight 1000 of 1000, heavier than Black
    widget.setFont(font);
}

} // namespace interlock
