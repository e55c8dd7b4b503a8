#include "config/settings_pages.h"

#include "app/page_support.h"
#include "app/program.h"
#include "config/settings_part1_page.h"
#include "config/settings_part2_page.h"

namespace interlock {

void registerSettingsPages(Program& program) {
    MenuPages& pages = program.menuPages();
    pages[MenuCommand::Part1Settings] = [&program](QWidget* menu) {
        CSetting_Part1 page(program, menu);
        runPage(page);
    };
    pages[MenuCommand::Part2Settings] = [&program](QWidget* menu) {
        CSetting_Part2 page(program, menu);
        runPage(page);
    };
}

} // namespace interlock
