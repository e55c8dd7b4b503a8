// Writes pictures of the program's main pages and of the log review window, for the
// README. Run on a display (xvfb-run): the pages are driven against interlock-sim.
#include "picture_folder.h"
#include "program_pictures.h"
#include "review_pictures.h"

#include <QApplication>
#include <QTemporaryDir>

#include <cstdio>
#include <filesystem>

using namespace interlock::pictures;

int main(int argc, char* argv[]) {
    // The user's own config folder is never touched.
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: screenshots OUTPUT_FOLDER\n");
        return 2;
    }
    PictureFolder pictures(std::filesystem::absolute(argv[1]));
    int failed = 0;
    for (auto take : {takeProgramPictures, takeReviewPictures}) {
        const QString failure = take(pictures);
        if (!failure.isEmpty()) {
            std::fprintf(stderr, "%s\n", qPrintable(failure));
            ++failed;
        }
    }
    return failed == 0 && pictures.allSaved() ? 0 : 1;
}
