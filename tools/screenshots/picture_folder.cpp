#include "picture_folder.h"

#include <QPixmap>
#include <QWidget>

#include <cstdio>

namespace interlock::pictures {

bool PictureFolder::save(QWidget& widget, const QString& name) {
    const QString path = QString::fromStdString((folder_ / (name + ".png").toStdString()).string());
    if (widget.grab().save(path, "PNG")) {
        std::printf("%s\n", qPrintable(path));
        return true;
    }
    std::fprintf(stderr, "%s could not be written\n", qPrintable(path));
    allSaved_ = false;
    return false;
}

} // namespace interlock::pictures
