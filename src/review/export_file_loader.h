#pragma once

#include "link/regular_file.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace interlock::review {

// Turns file bytes into text with "\n" line ends: every CR LF becomes LF, a CR on
// its own stays. A CR at the end of `bytes` is held back in `heldCr` until the
// next piece shows whether an LF follows it.
void appendWithLfLineEnds(std::string& text, std::string_view bytes, bool& heldCr);

// Reads an export file in pieces, so that even a large one never holds up a window
// for long.
class ExportFileLoader {
  public:
    // False, with `error` saying why, when the file cannot be opened or is no
    // regular file (a FIFO, a device or a folder is refused without waiting on it).
    bool open(const std::filesystem::path& path, std::string& error);
    // Reads up to `maxBytes` more. False, with `error` saying why, when reading
    // failed, the file is far larger than any export file, or its size at the end
    // is not the one it had when opened (another program changed it meanwhile).
    bool readSome(std::size_t maxBytes, std::string& error);
    bool done() const { return done_; }
    // How much has been read, 0 to 1.
    double progress() const;
    // The text read, with "\n" line ends.
    std::string takeText() { return std::move(text_); }

  private:
    OpenFile file_;
    std::string text_;
    std::uintmax_t size_ = 0;
    std::uintmax_t read_ = 0;
    bool heldCr_ = false;
    bool done_ = false;
};

} // namespace interlock::review
