#include "calib/calib_pages.h"

#include "app/page_opener.h"
#include "app/program.h"
#include "calib/calibration_main_page.h"
#include "calib/calibration_message_page.h"
#include "calib/diagnostic_pages.h"

#include <memory>
#include <string>

namespace interlock {

void registerCalibrationPages(Program& program) {
    MenuPages& pages = program.menuPages();
    // The altitude last typed on a DRY GAS page, kept for the rest of the run.
    auto lastAltitude = std::make_shared<std::string>();
    for (const MenuCommand command : {MenuCommand::Part1Calibration, MenuCommand::Part2Calibration})
        pages[command] = [&program, lastAltitude](QWidget* menu) {
            CCalibration_Main page(program, *lastAltitude, menu);
            runPage(page);
        };
    pages[MenuCommand::Part1Diagnostics] = pageOpener<CDiagnostic_Part1>(program);
    pages[MenuCommand::Part2Diagnostics] = pageOpener<CDiagnostic_Part2>(program);
    // Queued: the result page opens from the event loop, not inside the main timer's
    // tick, so the timer goes on with its other duties while the page is open.
    QObject::connect(
        &program, &Program::calibrationResult, &program,
        [&program] { showCalibrationResult(program); }, Qt::QueuedConnection);
}

} // namespace interlock
