#pragma once

#include "app/main_menu_logic.h"

#include <functional>
#include <map>

class QWidget;

namespace interlock {

// Opens a menu command's page modally over `menu` and returns when it has closed.
using PageOpener = std::function<void(QWidget* menu)>;

// The pages the menus can open, by command. A subsystem registers its pages here;
// a command without a page keeps its button disabled.
using MenuPages = std::map<MenuCommand, PageOpener>;

} // namespace interlock
