#pragma once

#include <QString>

namespace interlock::pictures {

class PictureFolder;

// One technician's visit to interlock-sim through the program's own windows: login,
// PC Connect, Main PART2, SETTINGS, a complete DOWNLOAD, diagnostics, a firmware
// update caught mid-stream, then the calibration menu and DRY GAS up to its result.
// Every page shows what the simulator answered. An empty result, or where it stopped.
QString takeProgramPictures(PictureFolder& pictures);

} // namespace interlock::pictures
