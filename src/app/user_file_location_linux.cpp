#include "app/user_file_location.h"

#include "app/user_file_place.h"

#include <QStandardPaths>

namespace interlock {

std::filesystem::path userFilePath() {
    // $XDG_CONFIG_HOME, or ~/.config when it is unset.
    const QString configHome =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return placeUserFile(configHome.toStdString());
}

} // namespace interlock
