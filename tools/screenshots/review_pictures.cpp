#include "review_pictures.h"

#include "picture_folder.h"
#include "recording_prompter.h"
#include "review/event_filter.h"
#include "review/review_window.h"
#include "sim/event_log.h"
#include "written_export.h"

#include <QTemporaryDir>
#include <QTest>

#include <fstream>

namespace interlock::pictures {

using namespace interlock::review;

QString takeReviewPictures(PictureFolder& pictures) {
    QTemporaryDir exports;
    testing::ServedLog served;
    served.registration = "KA-7731";
    served.events = sim::generateEvents(11, 900, 2, CivilTime{2026, 9, 1, 5, 0, 0});
    const std::filesystem::path file =
        std::filesystem::path(exports.path().toStdString()) / "261025-101500-KA-7731.csv";
    std::ofstream(file, std::ios::binary) << testing::writtenExport(served);

    testing::RecordingPrompter prompter;
    CLog_Review window(prompter);
    window.resize(1280, 900);
    window.show();
    if (!window.open(file) || !QTest::qWaitFor([&] { return window.isFilled(); }, 10000))
        return prompter.messages.isEmpty() ? QStringLiteral("the review window did not fill")
                                           : prompter.messages.join('\n');
    QTest::qWait(100);
    pictures.save(window, QStringLiteral("review-window"));

    window.kindFilter()->setCurrentIndex(static_cast<int>(KindFilter::Violations));
    window.eventList()->selectRow(3);
    window.timelineView()->zoomBy(0.15, window.timelineView()->viewFrom());
    QTest::qWait(100);
    pictures.save(window, QStringLiteral("review-violations"));
    return {};
}

} // namespace interlock::pictures
