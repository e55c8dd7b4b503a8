#pragma once

#include "log/download_page.h"

#include <filesystem>

namespace interlock {

// Gives the menus their log pages: DOWNLOAD of PART 2 and DELETE RECORD of PART 1.
// Export files go to `exportFolder`; empty means the current working folder. With
// `openReview`, DOWNLOAD offers the review of the log it read.
void registerLogPages(Program& program, std::filesystem::path exportFolder = {},
                      LogReviewOpener openReview = {});

} // namespace interlock
