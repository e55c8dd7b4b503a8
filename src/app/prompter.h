#pragma once

#include <string>

namespace interlock {

// Message boxes and file dialogs. The program shows them with Qt; tests replace
// them to read the texts.
class Prompter {
  public:
    virtual ~Prompter() = default;
    // A message box with the system's own text; `detail` goes below it.
    virtual void message(const std::string& text, const std::string& detail = {}) = 0;
    // The path the user chose, or empty when cancelled. `filter` as "Firmware (*.bin)".
    virtual std::string openFileName(const std::string& caption, const std::string& filter) = 0;
    virtual std::string saveFileName(const std::string& caption, const std::string& filter) = 0;
    // The same, offering `suggestedPath` (a folder and a file name) to start from.
    virtual std::string saveFileName(const std::string& caption, const std::string& filter,
                                     const std::string& suggestedPath) {
        (void)suggestedPath;
        return saveFileName(caption, filter);
    }
};

} // namespace interlock
