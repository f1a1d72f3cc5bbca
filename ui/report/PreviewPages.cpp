#include "ui/report/PreviewPages.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfDocument>
#include <algorithm>

#include "files/FileMessages.h"
#include "files/ReadWholeFile.h"
#include "files/SafeWrite.h"
#include "output/report/PagePainter.h"

namespace ui {
namespace {

constexpr double kMmPerPoint = 25.4 / 72.0;

}  // namespace

void ReportPages::paint(QPainter& painter, int page, const QRectF& target) {
    ++painted_;
    const double pixelsPerMm = target.width() / report_.paperMm.width();
    report::PaintPage(painter, report_.pages.at(static_cast<std::size_t>(page)), pixelsPerMm,
                      target.topLeft());
}

QString ReportPages::savePdf(const QString& path) const {
    return report::WriteReportPdf(report_, path).value_or(QString());
}

std::unique_ptr<PdfPages> PdfPages::open(const QString& path) {
    std::unique_ptr<PdfPages> pages(new PdfPages);
    pages->path_ = path;
    pages->document_ = std::make_unique<QPdfDocument>();
    if (pages->document_->load(path) != QPdfDocument::Error::None ||
        pages->document_->pageCount() < 1) {
        return nullptr;
    }
    return pages;
}

PdfPages::~PdfPages() = default;

int PdfPages::count() const { return document_->pageCount(); }

QSizeF PdfPages::pageSizeMm(int page) const { return document_->pagePointSize(page) * kMmPerPoint; }

void PdfPages::paint(QPainter& painter, int page, const QRectF& target) {
    ++painted_;
    // Printers ask for sheets of many thousand pixels; beyond this the image only grows.
    const double longSide = std::max(target.width(), target.height());
    const QSize size = (target.size() * std::min(1.0, 3500.0 / longSide)).toSize();
    if (page != cachedPage_ || cachedImage_.size() != size) {
        cachedImage_ = document_->render(page, size);
        cachedPage_ = page;
    }
    painter.drawImage(target, cachedImage_);
}

// The opened file is written again as it was read, byte for byte.
QString PdfPages::savePdf(const QString& path) const {
    const std::optional<QByteArray> bytes = files::ReadWholeFile(path_);
    if (!bytes) return files::CannotReadMessage(path_);
    const files::SafeWriteResult written = files::WriteFileSafely(path, *bytes);
    if (!written.ok) return files::CannotSaveMessage(path, written.reason);
    return QString();
}

bool PrintPreviewPages(PreviewPages& pages, QPagedPaintDevice& printer, int first, int last,
                       int copies) {
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    const double dpi = printer.logicalDpiX();
    bool firstSheet = true;
    for (int copy = 0; copy < copies; ++copy) {
        for (int page = first; page <= last && page < pages.count(); ++page) {
            if (!firstSheet && !printer.newPage()) return false;
            firstSheet = false;
            const QSizeF mm = pages.pageSizeMm(page);
            pages.paint(painter, page,
                        QRectF(0, 0, mm.width() * dpi / 25.4, mm.height() * dpi / 25.4));
        }
    }
    return painter.end();
}

}  // namespace ui
