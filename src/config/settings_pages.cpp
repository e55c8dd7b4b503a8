#include "config/settings_pages.h"

#include "app/page_opener.h"
#include "app/program.h"
#include "config/settings_part1_page.h"
#include "config/settings_part2_page.h"

namespace interlock {

void registerSettingsPages(Program& program) {
    MenuPages& pages = program.menuPages();
    pages[MenuCommand::Part1Settings] = pageOpener<CSetting_Part1>(program);
    pages[MenuCommand::Part2Settings] = pageOpener<CSetting_Part2>(program);
}

} // namespace interlock
