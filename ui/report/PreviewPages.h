#pragma once

#include <QImage>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <memory>

#include "output/report/PageLayout.h"

class QPainter;
class QPdfDocument;
class QPagedPaintDevice;

namespace ui {

// The pages a preview shows: a report laid out once, or a PDF saved from a preview before.
// Pages are painted only when they are to be seen or printed.
class PreviewPages {
  public:
    virtual ~PreviewPages() = default;
    virtual int count() const = 0;
    virtual QSizeF pageSizeMm(int page) const = 0;
    // Paints `page` into `target` (device pixels), the whole sheet scaled to it.
    virtual void paint(QPainter& painter, int page, const QRectF& target) = 0;
    // Writes all pages as a PDF file; returns the failure's text, or an empty text.
    virtual QString savePdf(const QString& path) const = 0;

    // How many page paints were asked for so far.
    int paintedPages() const { return painted_; }

  protected:
    int painted_ = 0;
};

class ReportPages : public PreviewPages {
  public:
    explicit ReportPages(report::LaidOutReport report) : report_(std::move(report)) {}
    int count() const override { return static_cast<int>(report_.pages.size()); }
    QSizeF pageSizeMm(int) const override { return report_.paperMm; }
    void paint(QPainter& painter, int page, const QRectF& target) override;
    QString savePdf(const QString& path) const override;
    const report::LaidOutReport& report() const { return report_; }

  private:
    report::LaidOutReport report_;
};

class PdfPages : public PreviewPages {
  public:
    // Null when `path` is not a PDF that can be read.
    static std::unique_ptr<PdfPages> open(const QString& path);
    ~PdfPages() override;
    int count() const override;
    QSizeF pageSizeMm(int page) const override;
    void paint(QPainter& painter, int page, const QRectF& target) override;
    QString savePdf(const QString& path) const override;

  private:
    PdfPages() = default;
    QString path_;
    std::unique_ptr<QPdfDocument> document_;
    // The last rendered page, so repaints while scrolling do not render it again.
    int cachedPage_ = -1;
    QImage cachedImage_;
};

// Prints pages first to last (0-based) on a printer whose page is the whole sheet, `copies`
// times. Returns false when the printer refused.
bool PrintPreviewPages(PreviewPages& pages, QPagedPaintDevice& printer, int first, int last,
                       int copies);

}  // namespace ui
