#pragma once

#include "review/export_log.h"
#include "review/review_summary.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace interlock::review {

// The report's default place: beside the export file, under its name, as PDF.
std::filesystem::path defaultReportPath(const std::filesystem::path& exportFile);

// The service report as rich text for A4 pages: the summary, the chart (the image
// named `chartImage`, 2:1) and every violation, which start on a page of their own. Like the
// export file, the text is in the system's 8-bit encoding.
std::string reportHtml(const ExportLog& log, const ReviewSummary& summary,
                       std::string_view exportName, std::string_view chartImage);

} // namespace interlock::review
