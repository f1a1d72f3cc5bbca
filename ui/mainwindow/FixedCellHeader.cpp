#include "ui/mainwindow/FixedCellHeader.h"

#include <QFontMetrics>
#include <QPainter>

#include "ui/common/GridPalette.h"

namespace ui {

FixedCellHeader::FixedCellHeader(Qt::Orientation orientation, QWidget* parent)
    : QHeaderView(orientation, parent) {
    setSectionsMovable(true);
    // A press on a fixed cell starts a drag; it never selects a row or column.
    setSectionsClickable(false);
    setHighlightSections(false);
}

QFont FixedCellHeader::FontFitting(const QFont& font, const QString& text, int width) {
    QFont fitting = font;
    // A caption a little too wide for its column ("Dorud Ödeme") is set a point smaller
    // rather than touch the column's borders; the column widths stay as they are.
    const bool inPixels = fitting.pointSizeF() <= 0;
    while (QFontMetrics(fitting).horizontalAdvance(text) > width) {
        if (inPixels) {
            if (fitting.pixelSize() <= 8) break;
            fitting.setPixelSize(fitting.pixelSize() - 1);
        } else {
            if (fitting.pointSizeF() <= 6) break;
            fitting.setPointSizeF(fitting.pointSizeF() - 0.5);
        }
    }
    return fitting;
}

void FixedCellHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    if (!rect.isValid()) return;
    painter->save();
    painter->fillRect(rect, palette::kFixedCell);
    painter->setPen(palette::kFixedCellLine);
    painter->drawLine(rect.topRight(), rect.bottomRight());
    painter->drawLine(rect.bottomLeft(), rect.bottomRight());
    painter->setPen(Qt::black);
    const QString text =
        model() ? model()->headerData(logicalIndex, orientation()).toString() : QString();
    const QRect area = rect.adjusted(kTextMargin, 2, -kTextMargin, 0);
    painter->setFont(FontFitting(font(), text, area.width()));
    painter->setClipRect(rect);
    painter->drawText(area, Qt::AlignHCenter | Qt::AlignTop, text);
    painter->restore();
}

}  // namespace ui
