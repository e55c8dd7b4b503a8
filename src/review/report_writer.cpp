#include "review/report_writer.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextDocument>
#include <QUrl>

namespace interlock::review {

namespace {
constexpr int kResolution = 150;
constexpr qreal kMarginMm = 15;
constexpr qreal kTextPixelsPerInch = 96;
constexpr qreal kPointsPerInch = 72;

// The PDF writer does not look at what its device took, and a full disk takes part
// of a write without an error: the report is made in memory, then written with every
// count checked, so that the last short write is tried again and fails with its cause.
QString writeWhole(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    for (qint64 at = 0; at < bytes.size();) {
        const qint64 written = file.write(bytes.constData() + at, bytes.size() - at);
        if (written <= 0) {
            const QString reason = file.errorString();
            file.cancelWriting();
            return reason;
        }
        at += written;
    }
    if (!file.commit())
        return file.errorString();
    return {};
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
