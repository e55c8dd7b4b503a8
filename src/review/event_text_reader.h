#pragma once

#include "review/export_log.h"

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace interlock::review {

// What an event text (a line after its number and time) says.
struct EventMeaning {
    EventKind kind = EventKind::Other;
    std::uint8_t wording = WORDING_EITHER; // the product lines that print this text
    std::optional<float> reading;          // breath tests: the value as printed
    std::string unit;                      // the unit printed after a value, if any
};

// Recognises the event texts of one file. A text counts as read only when the
// program's own decoders print exactly that text for some event record of the
// file's record format: the candidates are printed and compared, so every wording
// and value form is read back as it was written and nothing else is accepted.
class EventTextReader {
  public:
    explicit EventTextReader(RecordFormat format) : format_(format) {}

    // Nothing when no event record prints `text` (without its line end).
    const EventMeaning* read(std::string_view text);

  private:
    std::optional<EventMeaning> recognise(std::string_view text) const;

    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const {
            return std::hash<std::string_view>{}(s);
        }
    };
    RecordFormat format_;
    // Texts seen before: most lines of a log repeat a few texts.
    std::unordered_map<std::string, std::optional<EventMeaning>, Hash, std::equal_to<>> seen_;
};

} // namespace interlock::review
