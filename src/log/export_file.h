#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace interlock {

// The export file of one log read. Its text is collected while the read runs and
// written only when the read completes, through replaceFile: the final name is
// given only to a file written whole. So neither a failed read nor a full disk nor
// a folder that turned read-only leaves a file behind. Text is written as on
// Windows text streams: every "\n" becomes CR LF on disk, all other bytes as they are.
class ExportFile {
  public:
    ExportFile() = default;
    ExportFile(const ExportFile&) = delete;
    ExportFile& operator=(const ExportFile&) = delete;

    // Starts a file for `finalPath`; false when a file cannot be created there.
    bool create(const std::filesystem::path& finalPath);
    void write(std::string_view text);
    // Writes the file and gives it its final name, replacing a file of that name.
    // False, with nothing left behind and error() saying why, when that failed.
    bool commit();
    // Forgets the file; nothing is written.
    void discard();

    bool isOpen() const { return open_; }
    const std::filesystem::path& finalPath() const { return final_; }
    // The system's reason for the last failure of create or commit.
    const std::string& error() const { return error_; }

  private:
    bool open_ = false;
    std::string bytes_;
    std::filesystem::path final_;
    std::string error_;
};

} // namespace interlock
