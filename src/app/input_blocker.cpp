#include "app/input_blocker.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>

#include <algorithm>

namespace interlock {

namespace {
bool isUserInput(QEvent::Type type) {
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Wheel:
    case QEvent::Shortcut:
    case QEvent::ShortcutOverride:
    case QEvent::Close:
        return true;
    default:
        return false;
    }
}
} // namespace

InputBlocker::InputBlocker() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible())
            windows_.emplace_back(window);
    }
    qApp->installEventFilter(this);
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

InputBlocker::~InputBlocker() {
    QApplication::restoreOverrideCursor();
    qApp->removeEventFilter(this);
}

bool InputBlocker::blocked(const QObject* watched) const {
    const auto* widget = qobject_cast<const QWidget*>(watched);
    if (!widget)
        return false;
    const QWidget* window = widget->window();
    return std::any_of(windows_.begin(), windows_.end(),
                       [window](const QPointer<QWidget>& w) { return w == window; });
}

bool InputBlocker::eventFilter(QObject* watched, QEvent* event) {
    if (!isUserInput(event->type()) || !blocked(watched))
        return false;
    event->ignore();
    return true;
}

} // namespace interlock
