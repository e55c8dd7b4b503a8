#include "review/report_writer.h"

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
} // namespace

QString writePdfReport(const QString& path, const QString& html, const QString& chartName,
                       const QImage& chart) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    {
        QPdfWriter writer(&file);
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
    if (file.error() != QFileDevice::NoError) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return reason;
    }
    if (!file.commit())
        return file.errorString();
    return {};
}

} // namespace interlock::review
