#pragma once

#include <QImage>
#include <QString>

namespace interlock::review {

// Writes the service report as PDF with Qt's own writer: rich text (see
// reportHtml) with the chart as the image named `chartName`, on A4 pages. The file
// is written under a temporary name in the same folder and renamed when complete.
// Returns an empty text, or why the file could not be written.
QString writePdfReport(const QString& path, const QString& html, const QString& chartName,
                       const QImage& chart);

} // namespace interlock::review
