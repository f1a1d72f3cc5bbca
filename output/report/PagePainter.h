#pragma once

#include <QPointF>

#include "output/report/PageLayout.h"
#include "output/report/ReportPdf.h"

class QPainter;
class QPagedPaintDevice;

namespace report {

// Paints one laid-out page with its top left corner at `origin` (device pixels), at
// `pixelsPerMm`; fonts keep their sizes relative to the paper at any scale.
void PaintPage(QPainter& painter, const LaidOutPage& page, double pixelsPerMm, QPointF origin = {});

// Paints pages first to last (0-based, inclusive) on a paged device whose page is the whole
// sheet, one page each. Returns false when the device refused to paint.
bool PaintPages(QPagedPaintDevice& device, const LaidOutReport& report, int first, int last);

}  // namespace report
