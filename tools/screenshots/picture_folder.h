#pragma once

#include <QString>

#include <filesystem>

class QWidget;

namespace interlock::pictures {

// The folder the pictures go to; each is the widget at its own size, as a PNG.
class PictureFolder {
  public:
    explicit PictureFolder(std::filesystem::path folder) : folder_(std::move(folder)) {}

    // Saves `widget` as `name`.png; false (and a line on stderr) when it cannot be written.
    bool save(QWidget& widget, const QString& name);
    // Every picture asked for was written.
    bool allSaved() const { return allSaved_; }

  private:
    std::filesystem::path folder_;
    bool allSaved_ = true;
};

} // namespace interlock::pictures
