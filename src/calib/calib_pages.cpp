#include "calib/calib_pages.h"

#include "app/page_support.h"
#include "app/program.h"
#include "calib/calibration_main_page.h"
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
    pages[MenuCommand::Part1Diagnostics] = [&program](QWidget* menu) {
        CDiagnostic_Part1 page(program, menu);
        runPage(page);
    };
    pages[MenuCommand::Part2Diagnostics] = [&program](QWidget* menu) {
        CDiagnostic_Part2 page(program, menu);
        runPage(page);
    };
}

} // namespace interlock
