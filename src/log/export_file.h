#pragma once

#include <cstdio>
#include <filesystem>
#include <string_view>

namespace interlock {

// The export file of one log read. It is written under a temporary name and gets
// its final name only when the read completes, so an interrupted or failed read
// never leaves a file that looks complete. Text is written as on Windows text
// streams: every "\n" becomes CR LF on disk, all other bytes as they are.
class ExportFile {
  public:
    ExportFile() = default;
    ExportFile(const ExportFile&) = delete;
    ExportFile& operator=(const ExportFile&) = delete;
    // An unfinished file is removed.
    ~ExportFile();

    // Opens `finalPath` + ".part" for writing; false when it cannot be created.
    bool create(const std::filesystem::path& finalPath);
    void write(std::string_view text);
    // Closes the file and gives it its final name, replacing a file of that name.
    // False, with nothing left behind, when a write, the close or the rename failed.
    bool commit();
    // Closes the file and removes it.
    void discard();

    bool isOpen() const { return file_ != nullptr; }
    const std::filesystem::path& finalPath() const { return final_; }
    const std::filesystem::path& temporaryPath() const { return temporary_; }

  private:
    bool close();

    std::FILE* file_ = nullptr;
    std::filesystem::path final_;
    std::filesystem::path temporary_;
    bool failed_ = false;
};

} // namespace interlock
