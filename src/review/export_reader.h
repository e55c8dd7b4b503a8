#pragma once

#include "review/event_text_reader.h"
#include "review/export_log.h"
#include "review/text_scanner.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <variant>

namespace interlock::review {

// Why a file could not be read: the first line that is not as the program writes
// it (1-based), and what was wrong there.
struct ReadError {
    int line = 0;
    std::string reason;
};

// Reads an export file back, in slices so that a window stays responsive. Nothing
// is guessed: the first line that the program could not have written ends the
// reading.
class ExportReader {
  public:
    enum class Status { Reading, Done, Failed };

    // The file's text with "\n" line ends (see ExportFileLoader).
    explicit ExportReader(std::string text);

    // Reads the opening block and up to `maxEvents` further event lines.
    Status step(std::size_t maxEvents);
    Status status() const { return status_; }
    // How much of the text has been read, 0 to 1.
    double progress() const;
    const ReadError& error() const { return error_; }
    // The log, once Done.
    ExportLog& log() { return log_; }

  private:
    bool readOpening();
    bool readHeaderRows();
    bool readEventLine();
    bool fail(std::string reason);
    bool fail(std::string reason, int line);
    bool expectInt(std::string_view before, int& field, std::string_view after,
                   std::string_view what);

    ExportLog log_;
    TextScanner scanner_;
    std::optional<EventTextReader> texts_;
    Status status_ = Status::Reading;
    bool openingRead_ = false;
    ReadError error_;
};

// The message for a file that could not be read: "Line 7 of NAME could not be
// read: REASON."
std::string readFailureText(std::string_view fileName, const ReadError& error);
// The message for a file that could not be opened or read at all.
std::string unreadableFileText(std::string_view fileName, std::string_view reason);

// Reads a whole file's bytes at once. Lines end in CR LF on disk; a plain LF (a
// file saved again elsewhere) is taken as well.
std::variant<ExportLog, ReadError> readExport(std::string_view fileBytes);

} // namespace interlock::review
