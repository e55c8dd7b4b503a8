#pragma once

#include <QAccessible>
#include <QString>
#include <QWidget>

namespace interlock::testing {

// What assistive technology (a screen reader, voice control) does to a control: the
// change reaches the widget through its accessibility interface, with no key press
// or click. Each is false when the control offers no such way.

// Replaces the whole text of an edit, as an editable-text client does.
inline bool setTextAccessibly(QWidget& edit, const QString& text) {
    QAccessibleInterface* control = QAccessible::queryAccessibleInterface(&edit);
    if (!control)
        return false;
    QAccessibleEditableTextInterface* editable = control->editableTextInterface();
    QAccessibleTextInterface* shown = control->textInterface();
    if (!editable || !shown)
        return false;
    editable->replaceText(0, shown->characterCount(), text);
    return true;
}

// Runs one of the control's named actions (QAccessibleActionInterface's names).
inline bool runAccessibleAction(QWidget& widget, const QString& action) {
    QAccessibleInterface* control = QAccessible::queryAccessibleInterface(&widget);
    QAccessibleActionInterface* actions = control ? control->actionInterface() : nullptr;
    if (!actions || !actions->actionNames().contains(action))
        return false;
    actions->doAction(action);
    return true;
}

// A radio button or check box switched by the "Toggle" action (no click).
inline bool toggleAccessibly(QWidget& button) {
    return runAccessibleAction(button, QAccessibleActionInterface::toggleAction());
}

// A button pressed by the "Press" action.
inline bool pressAccessibly(QWidget& button) {
    return runAccessibleAction(button, QAccessibleActionInterface::pressAction());
}

} // namespace interlock::testing
