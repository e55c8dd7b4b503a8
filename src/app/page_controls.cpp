#include "app/page_controls.h"

namespace interlock {

QPushButton* plainButton(const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setAccessibleName(caption);
    button->setAutoDefault(false);
    return button;
}

void setHeavyFont(QWidget& widget) {
    QFont font = widget.font();
    font.setPixelSize(30);
    font.setWeight(QFont::Black);
    widget.setFont(font);
}

} // namespace interlock
