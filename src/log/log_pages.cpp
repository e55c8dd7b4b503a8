#include "log/log_pages.h"

#include "app/page_opener.h"
#include "app/program.h"
#include "log/delete_record_page.h"

namespace interlock {

void registerLogPages(Program& program, std::filesystem::path exportFolder,
                      LogReviewOpener openReview) {
    MenuPages& pages = program.menuPages();
    pages[MenuCommand::Part2Download] = [&program, exportFolder, openReview](QWidget* menu) {
        CDownLoad_Part2 page(program, exportFolder, menu, openReview);
        runPage(page);
    };
    pages[MenuCommand::Part1DeleteRecord] = pageOpener<CDelete_Record_Part1>(program);
}

} // namespace interlock
