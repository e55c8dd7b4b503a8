#include "review/review_pages.h"

#include "app/page_support.h"
#include "review/review_window.h"

namespace interlock {

bool openLogReview(Prompter& prompter, const std::filesystem::path& exportFile, QWidget* parent) {
    review::CLog_Review window(prompter, parent);
    bool refused = false;
    QObject::connect(&window, &review::CLog_Review::readFailed, [&refused] { refused = true; });
    if (!window.open(exportFile))
        return false;
    runPage(window);
    return !refused;
}

} // namespace interlock
