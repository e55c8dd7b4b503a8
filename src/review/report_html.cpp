#include "review/report_html.h"

#include "link/formatted.h"
#include "review/event_filter.h"

namespace interlock::review {

namespace {
// The width of an A4 page's text, in the units rich text is laid out in.
constexpr int kChartWidth = 660;
constexpr std::size_t kValueWidth = 400;

std::string escaped(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

// Caption and value pairs, `perRow` pairs to a row.
void addRows(std::string& html, const std::vector<SummaryRow>& rows, std::size_t perRow) {
    html += "<table cellspacing=\"0\" cellpadding=\"2\">";
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (i % perRow == 0)
            html += "<tr>";
        html += "<td><b>" + escaped(rows[i].caption) + "</b></td><td width=\"" +
                std::to_string(kValueWidth / perRow) + "\">" + escaped(rows[i].value) + "</td>";
        if (i % perRow == perRow - 1 || i + 1 == rows.size())
            html += "</tr>";
    }
    html += "</table>";
}

void addViolations(std::string& html, const ExportLog& log) {
    const std::vector<std::uint32_t> violations = filterEvents(log, KindFilter::Violations, {});
    html += "<h3 style=\"page-break-before: always\">" +
            formatted("Violations (%zu)", violations.size()) + "</h3>";
    if (violations.empty()) {
        html += "<p>No violation in this period.</p>";
        return;
    }
    const bool withSeconds = log.format != RecordFormat::NoSeconds;
    // The header row repeats on every page.
    html += "<table border=\"1\" cellspacing=\"0\" cellpadding=\"2\" width=\"100%\" "
            "style=\"font-size: 9pt\"><thead><tr><th>No.</th><th>Time</th><th>Kind</th>"
            "<th>Event</th></tr></thead>";
    for (const std::uint32_t index : violations) {
        const ReviewEvent& event = log.events[index];
        html += formatted("<tr><td>%u</td><td>", event.number) +
                stampText(event.time, withSeconds) + "</td><td>" + escaped(kindName(event.kind)) +
                "</td><td>" + escaped(log.shownText(event)) + "</td></tr>";
    }
    html += "</table>";
}
} // namespace

std::filesystem::path defaultReportPath(const std::filesystem::path& exportFile) {
    std::filesystem::path report = exportFile;
    report.replace_extension(".pdf");
    return report;
}

std::string reportHtml(const ExportLog& log, const ReviewSummary& summary,
                       std::string_view exportName, std::string_view chartImage) {
    std::string html = "<html><body>";
    html += "<h2>Interlock log review</h2>";
    html += "<p>Export file: " + escaped(exportName) + "</p>";
    addRows(html, identityRows(log, summary), 1);
    html += "<h3>Events</h3>";
    addRows(html, countRows(log, summary), 2);
    html += "<p><img src=\"" + escaped(chartImage) + formatted("\" width=\"%d\"></p>", kChartWidth);
    addViolations(html, log);
    html += "</body></html>";
    return html;
}

} // namespace interlock::review
