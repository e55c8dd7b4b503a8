#pragma once

#include "link/digit_text.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

namespace interlock {

// "<caption> value is not valid. Verify that it was enterd correctly and try again"
std::string invalidValueMessage(std::string_view caption);

// What OK on a settings page came to.
enum class OkOutcome {
    Invalid, // a check failed: its message is shown, nothing was sent
    Written, // every write went out and none was refused
    Refused, // the interlock answered a write with NACK
};

struct OkVerdict {
    OkOutcome outcome = OkOutcome::Invalid;
    std::string message{}; // message box text, empty for none
};

// The first refusal of `checks` run in order, empty when none refuses; the checks
// after a refusal do not run.
std::string firstRefusal(std::initializer_list<std::function<std::string()>> checks);

// The values an edit box accepts and the text it is given back when refused.
template <typename Edit> struct ValueRange {
    Edit edit;
    std::string_view caption; // named in the refusal message
    std::uint32_t lowest;
    std::uint32_t highest;
    std::string_view putBack;
};

// The texts of a page's numeric edit boxes, indexed by the page's own enum.
template <typename Edit, std::size_t N> class EditTexts {
  public:
    const std::string& text(Edit edit) const { return texts_[index(edit)]; }
    std::uint32_t value(Edit edit) const { return decimalValue(text(edit)); }
    // Text put in by the program (opening, a value put back): kept as given.
    void put(Edit edit, std::string text) { texts_[index(edit)] = std::move(text); }
    // Text typed by the user, through the digit filter.
    void type(Edit edit, std::string_view typed) { put(edit, digitsOnly(typed)); }

    // Empty when the value lies in `range`; otherwise the field takes the range's
    // text and the refusal message is returned.
    std::string refusal(const ValueRange<Edit>& range) {
        const std::uint32_t v = value(range.edit);
        if (v >= range.lowest && v <= range.highest)
            return {};
        put(range.edit, std::string(range.putBack));
        return invalidValueMessage(range.caption);
    }

  private:
    static std::size_t index(Edit edit) { return static_cast<std::size_t>(edit); }
    std::array<std::string, N> texts_{};
};

} // namespace interlock
