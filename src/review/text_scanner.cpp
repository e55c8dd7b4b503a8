#include "review/text_scanner.h"

#include <algorithm>
#include <charconv>

namespace interlock::review {

void TextScanner::advance(std::size_t count) {
    const std::string_view passed = text_.substr(at_, count);
    line_ += static_cast<int>(std::count(passed.begin(), passed.end(), '\n'));
    at_ += passed.size();
}

bool TextScanner::take(std::string_view literal) {
    if (!startsWith(literal))
        return false;
    advance(literal.size());
    return true;
}

std::optional<int> TextScanner::takeInt() {
    const std::string_view from = rest();
    // "%d" writes no '+', no leading space and no leading zero.
    const std::size_t digitsAt = from.starts_with('-') ? 1 : 0;
    if (from.size() > digitsAt + 1 && from[digitsAt] == '0' && from[digitsAt + 1] >= '0' &&
        from[digitsAt + 1] <= '9')
        return std::nullopt;
    int value = 0;
    const auto [end, error] = std::from_chars(from.data(), from.data() + from.size(), value);
    if (error != std::errc())
        return std::nullopt;
    advance(static_cast<std::size_t>(end - from.data()));
    return value;
}

std::optional<std::string_view> TextScanner::takeChars(std::size_t count) {
    if (text_.size() - at_ < count)
        return std::nullopt;
    const std::string_view chars = text_.substr(at_, count);
    advance(count);
    return chars;
}

std::optional<std::string_view> TextScanner::takeLine() {
    const std::size_t end = text_.find('\n', at_);
    if (end == std::string_view::npos)
        return std::nullopt;
    const std::string_view chars = text_.substr(at_, end - at_);
    at_ = end;
    return chars;
}

} // namespace interlock::review
