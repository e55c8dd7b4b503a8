#include "app/user_file_location.h"

#include "app/user_accounts.h"
#include "app/user_file_place.h"

#include <QStandardPaths>

#include <fstream>

namespace interlock {

std::filesystem::path userFilePath() {
#ifdef Q_OS_WIN
    return "c:/user.txt";
#else
    // $XDG_CONFIG_HOME, or ~/.config when it is unset.
    const QString configHome =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return placeUserFile(configHome.toStdString());
#endif
}

std::filesystem::path writeDemoUserFile(const std::filesystem::path& folder) {
    const std::filesystem::path file = folder / "user.txt";
    std::ofstream(file, std::ios::binary | std::ios::trunc) << userFileLine({"demo", "demo"});
    std::filesystem::permissions(file, std::filesystem::perms::owner_read |
                                           std::filesystem::perms::owner_write);
    return file;
}

} // namespace interlock
