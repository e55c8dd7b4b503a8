#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace interlock::review {

// Takes a text apart from the front and knows the line it is on.
class TextScanner {
  public:
    TextScanner() = default;
    explicit TextScanner(std::string_view text) : text_(text) {}

    bool atEnd() const { return at_ == text_.size(); }
    std::size_t position() const { return at_; }
    // The 1-based line of the current position.
    int line() const { return line_; }

    bool startsWith(std::string_view literal) const { return rest().starts_with(literal); }
    // Whether a line end follows somewhere: the current line is complete.
    bool lineComplete() const { return text_.find('\n', at_) != std::string_view::npos; }
    // Consumes `literal` when the text continues with it.
    bool take(std::string_view literal);
    // A decimal number as printf's "%d" writes it; nothing (and nothing consumed)
    // when there is none or it does not fit an int.
    std::optional<int> takeInt();
    // The next `count` characters whatever they are; nothing when fewer are left.
    std::optional<std::string_view> takeChars(std::size_t count);
    // The characters up to the next line end, which stays; nothing at a last line
    // without a line end.
    std::optional<std::string_view> takeLine();

  private:
    std::string_view rest() const { return text_.substr(at_); }
    void advance(std::size_t count);

    std::string_view text_;
    std::size_t at_ = 0;
    int line_ = 1;
};

} // namespace interlock::review
