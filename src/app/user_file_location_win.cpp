#include "app/user_file_location.h"

namespace interlock {

std::filesystem::path userFilePath() {
    return "c:/user.txt";
}

} // namespace interlock
