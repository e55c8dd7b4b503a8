#include "calib/calibration_main_page.h"

#include "app/page_controls.h"
#include "app/page_support.h"
#include "app/program.h"
#include "calib/calibration_menu.h"
#include "calib/calibration_time_page.h"
#include "calib/dry_gas_page.h"

#include <QVBoxLayout>

namespace interlock {

CCalibration_Main::CCalibration_Main(Program& program, std::string& lastAltitude, QWidget* parent)
    : QDialog(parent), program_(program), lastAltitude_(lastAltitude),
      calibration_(plainButton(QStringLiteral("CALIBRATION"), this)),
      check_(plainButton(QStringLiteral("CALIBRATION CHECK"), this)),
      timeCheck_(plainButton(QStringLiteral("TIME CHECK"), this)) {
    setWindowTitle(QStringLiteral("Calibration"));
    auto* layout = new QVBoxLayout(this);
    for (QPushButton* button : {calibration_, check_, timeCheck_}) {
        button->setMinimumSize(220, 56);
        layout->addWidget(button);
    }
    connect(calibration_, &QPushButton::clicked, this,
            [this] { runDryGas(DryGasMode::Calibrate); });
    connect(check_, &QPushButton::clicked, this, [this] { runDryGas(DryGasMode::Check); });
    connect(timeCheck_, &QPushButton::clicked, this, &CCalibration_Main::runTimeCheck);
}

void CCalibration_Main::runDryGas(DryGasMode mode) {
    beginDryGas(program_.requester(), mode);
    CCalibration_DryGas page(program_, mode, lastAltitude_, this);
    runPage(page);
    if (closeMenuAfterDryGas(mode, program_.state()))
        accept();
}

void CCalibration_Main::runTimeCheck() {
    if (!readsAnswered(beginTimeCheck(program_.requester()), program_.prompter()))
        return;
    CCalibration_Time page(program_, this);
    runPage(page);
}

} // namespace interlock
