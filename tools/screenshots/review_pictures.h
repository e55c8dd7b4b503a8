#pragma once

#include <QString>

namespace interlock::pictures {

class PictureFolder;

// The log review window on a generated two-month PART 2 log, as the program's own
// download writes it: the whole period, then the violations with one selected on
// the zoomed chart. An empty result, or why the log could not be shown.
QString takeReviewPictures(PictureFolder& pictures);

} // namespace interlock::pictures
