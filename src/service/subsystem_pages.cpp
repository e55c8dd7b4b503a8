#include "service/subsystem_pages.h"

#include "config/settings_pages.h"
#include "config/pairing_pages.h"
#include "firmware/firmware_pages.h"
#include "log/log_pages.h"

namespace interlock {

void registerSubsystemPages(Program& program, const std::filesystem::path& exportFolder) {
    registerLogPages(program, exportFolder);
    registerFirmwarePages(program);
    registerSettingsPages(program);
    registerFeatureAndPairingPages(program);
    if (testPageWanted())
        openTestPageOnConnect(program);
}

} // namespace interlock
