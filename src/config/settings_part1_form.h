#pragma once

#include "config/field_text.h"
#include "link/requester.h"

namespace interlock {

enum class Part1Edit { ServiceDate, GracePeriod };

// The Settings page of the PART 1 line: service date and grace period. Holds the
// texts of its two edits; the page shows them and hands back what is typed.
class SettingsPart1Form {
  public:
    // Fills both edits from the records the menu has just read.
    void open(const ProgramState& state);
    void type(Part1Edit edit, std::string_view typed) { edits_.type(edit, typed); }
    const std::string& text(Part1Edit edit) const { return edits_.text(edit); }

    // OK: checks both values, stores them and writes the option and configuration
    // records. The page closes on Written and stays open otherwise.
    OkVerdict ok(Requester& requester);

  private:
    EditTexts<Part1Edit, 2> edits_;
};

} // namespace interlock
