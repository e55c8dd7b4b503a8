// The export file reader on any file content, as the log review runs it: the file
// read in pieces, its lines read a few at a time, then the summary, the timeline and
// its chart's arithmetic, the event list's filters and the report made from the log
// it read. Read in pieces or whole, a file must give the same log or fail on the
// same line.
#include "fuzz_support.h"
#include "review/event_filter.h"
#include "review/export_file_loader.h"
#include "review/export_reader.h"
#include "review/report_html.h"
#include "review/review_summary.h"
#include "review/time_ticks.h"
#include "review/timeline.h"
#include "review/timeline_plot.h"
#include "review/timeline_range.h"

#include <string_view>
#include <variant>

using namespace interlock;
using namespace interlock::review;
using fuzz::mustHold;

namespace {

const std::filesystem::path& exportFile() {
    static const std::filesystem::path file = fuzz::scratchFile("export_file_fuzzer", "export.txt");
    return file;
}

// Everything the review window shows of a log.
void showEverything(const ExportLog& log) {
    const ReviewSummary summary = summarize(log);
    identityRows(log, summary);
    countRows(log, summary);
    for (const ReviewEvent& event : log.events)
        eventListLine(log, event);

    const Timeline timeline(log);
    const std::int64_t first = timeline.firstSeconds();
    const std::int64_t last = timeline.lastSeconds();
    for (int series = 0; series < kTimelineSeriesCount; ++series)
        timeline.pointsToDraw(TimelineSeries{static_cast<std::uint8_t>(series)}, first, last, 400);
    timeline.eventNear(first + (last - first) / 2, timeline.top() / 2, 60, 0.01, 8);
    for (std::uint32_t event = 0; event < log.events.size(); ++event)
        mustHold(timeline.pointOf(event).event == event);
    // The chart over the whole period, then zoomed in as far as it goes.
    TimelineRange range(first, last);
    for (const double zoom : {1.0, 1e-9}) {
        range.zoomBy(zoom, first + (last - first) / 2);
        mustHold(range.from() >= range.wholeFrom() && range.to() <= range.wholeTo() &&
                 range.span() >= TimelineRange::kShortestSpan);
        for (const TimeTick& tick : timeTicks(range.from(), range.to(), 8))
            mustHold(tick.seconds >= range.from() && tick.seconds <= range.to());
        const TimelinePlot plot(timeline, PlotRect{60, 10, 800, 300}, range.from(), range.to());
        plot.eventAt(460, 160, 6);
        plot.description();
    }

    for (int filter = 0; filter < kKindFilterCount; ++filter)
        for (const std::string_view text : {"", "0", "test"})
            filterEvents(log, KindFilter{static_cast<std::uint8_t>(filter)}, text);
    reportHtml(log, summary, "export.txt", "chart.png");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::writeFile(exportFile(), {data, size});
    ExportFileLoader loader;
    std::string reason;
    mustHold(loader.open(exportFile(), reason));
    const std::size_t piece = 1 + size % 61;
    while (!loader.done())
        mustHold(loader.readSome(piece, reason));

    ExportReader reader(loader.takeText());
    const std::size_t linesPerStep = 1 + size % 5;
    while (reader.step(linesPerStep) == ExportReader::Status::Reading) {
        const double progress = reader.progress();
        mustHold(progress >= 0 && progress <= 1);
    }

    const auto whole = readExport({reinterpret_cast<const char*>(data), size});
    if (reader.status() == ExportReader::Status::Failed) {
        const auto* error = std::get_if<ReadError>(&whole);
        mustHold(error && error->line == reader.error().line &&
                 error->reason == reader.error().reason);
        readFailureText("export.txt", reader.error());
        return 0;
    }
    const auto* log = std::get_if<ExportLog>(&whole);
    mustHold(log && log->text == reader.log().text &&
             log->events.size() == reader.log().events.size());
    showEverything(reader.log());
    return 0;
}
