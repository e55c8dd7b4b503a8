#include "firmware/firmware_pages.h"

#include "app/page_opener.h"
#include "app/program.h"
#include "firmware/firmware_check_page.h"
#include "firmware/firmware_update_page.h"

#include <QApplication>

namespace interlock {

void registerFirmwarePages(Program& program) {
    const PageOpener update = pageOpener<CFirmware_Update>(program);
    program.menuPages()[MenuCommand::Part1FirmwareUpdate] = update;
    program.menuPages()[MenuCommand::Part2FirmwareUpdate] = update;
    QObject::connect(&program, &Program::versionNotice, &program, [] {
        // Over whatever page is open; nothing behind it is minimised or restored.
        CFirmware_Check notice(QApplication::activeWindow());
        centreOnScreen(notice);
        notice.exec();
    });
}

} // namespace interlock
