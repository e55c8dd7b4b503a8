#pragma once

#include <filesystem>

class QWidget;

namespace interlock {

class Prompter;

// Opens the log review of `exportFile` over `parent` and returns when it is closed.
// A file that cannot be read is refused with its reason, the window closes and the
// result is false.
bool openLogReview(Prompter& prompter, const std::filesystem::path& exportFile, QWidget* parent);

} // namespace interlock
