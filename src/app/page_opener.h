#pragma once

#include "app/menu_pages.h"
#include "app/page_support.h"

namespace interlock {

class Program;

// The opener of a page built from the program and the menu it opens over: the
// page runs modally and the opener returns when it has closed.
template <class Page> PageOpener pageOpener(Program& program) {
    return [&program](QWidget* menu) {
        Page page(program, menu);
        runPage(page);
    };
}

} // namespace interlock
