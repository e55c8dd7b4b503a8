#include "service/subsystem_pages.h"

#include "app/program.h"
#include "calib/calib_pages.h"
#include "config/pairing_pages.h"
#include "config/settings_pages.h"
#include "firmware/firmware_pages.h"
#include "log/log_pages.h"
#include "review/review_pages.h"

namespace interlock {

void registerSubsystemPages(Program& program, const std::filesystem::path& exportFolder) {
    // DOWNLOAD offers the review of the log it read; the log pages need no review code.
    registerLogPages(program, exportFolder,
                     [&program](const std::filesystem::path& exportFile, QWidget* parent) {
                         openLogReview(program.prompter(), exportFile, parent);
                     });
    registerFirmwarePages(program);
    registerSettingsPages(program);
    registerFeatureAndPairingPages(program);
    registerCalibrationPages(program);
    if (testPageWanted())
        openTestPageOnConnect(program);
}

} // namespace interlock
