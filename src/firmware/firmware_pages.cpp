#include "firmware/firmware_pages.h"

#include "app/page_support.h"
#include "app/program.h"
#include "firmware/firmware_check_page.h"

#include <QApplication>

namespace interlock {

void registerFirmwarePages(Program& program) {
    QObject::connect(&program, &Program::versionNotice, &program, [] {
        // Over whatever page is open; nothing behind it is minimised or restored.
        CFirmware_Check notice(QApplication::activeWindow());
        centreOnScreen(notice);
        notice.exec();
    });
}

} // namespace interlock
