#include "review/report_writer.h"

#include "link/file_replace.h"

#include <QBuffer>
#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>
#include <QUrl>

namespace interlock::review {

namespace {
constexpr int kResolution = 150;
constexpr qreal kMarginMm = 15;
constexpr qreal kTextPixelsPerInch = 96;
constexpr qreal kPointsPerInch = 72;

// The PDF writer does not look at what its device took, and a full disk takes part
// of a write without an error: the report is made in memory, then written whole
// through replaceChosenFile, which checks every count and names the cause of a failure.
// A file of that name is replaced only if it is a regular file the user may write:
// a FIFO, a device such as /dev/full or a read-only file stays as it is.
QString writeWhole(const QString& path, const QByteArray& bytes) {
    const std::error_code error = replaceChosenFile(
        QFile::encodeName(path).toStdString(),
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    return error ? QString::fromStdString(error.message()) : QString();
}

} // namespace

QString writePdfReport(const QString& path, const QString& html, const QString& chartName,
                       const QImage& chart) {
    QByteArray pdf;
    {
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setResolution(kResolution);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                                         QPageLayout::Millimeter));
        writer.setTitle(QStringLiteral("Interlock log review"));
        QTextDocument document;
        document.addResource(QTextDocument::ImageResource, QUrl(chartName), chart);
        document.setHtml(html);
        // Laid out on pages of its own, the text is printed page for page, scaled to
        // the writer's pages; rich text counts 96 pixels to the inch.
        const QSizeF page = writer.pageLayout().paintRect(QPageLayout::Point).size();
        document.setPageSize(page * kTextPixelsPerInch / kPointsPerInch);
        document.print(&writer);
    }
    return writeWhole(path, pdf);
}

} // namespace interlock::review
