#pragma once

#include <QByteArray>
#include <QPointF>
#include <QString>
#include <optional>

#include "output/report/PageLayout.h"

class QPainter;
class QPagedPaintDevice;

namespace report {

// Paints one laid-out page with its top left corner at `origin` (device pixels), at
// `pixelsPerMm`; fonts keep their sizes relative to the paper at any scale.
void PaintPage(QPainter& painter, const LaidOutPage& page, double pixelsPerMm, QPointF origin = {});

// Paints pages first to last (0-based, inclusive) on a paged device whose page is the whole
// sheet, one page each. Returns false when the device refused to paint.
bool PaintPages(QPagedPaintDevice& device, const LaidOutReport& report, int first, int last);

// The whole report as the bytes of a PDF file, or nothing when the pages cannot be painted.
// A long report is painted in runs of pages, one for each processor, joined in order.
std::optional<QByteArray> ReportPdfBytes(const LaidOutReport& report);

// The same in the given number of runs of pages (at most one a page) painted at once.
std::optional<QByteArray> ReportPdfBytes(const LaidOutReport& report, int parts);

// True when a report can be written as a PDF file here: printing to a file works even where
// the system has no printer.
bool CanWriteReportPdf();

// Writes the whole report as a PDF file, safely: on any failure (a full disk too) the previous
// file is as it was. Returns the failure's text ("Dosya Saklanamıyor:", the path, the reason),
// or nothing.
std::optional<QString> WriteReportPdf(const LaidOutReport& report, const QString& path);

}  // namespace report
