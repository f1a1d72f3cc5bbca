#include "ui/FixedCellHeader.h"

#include <QPainter>

#include "ui/TransactionTableModel.h"

namespace ui {

FixedCellHeader::FixedCellHeader(Qt::Orientation orientation, QWidget* parent)
    : QHeaderView(orientation, parent) {
    setSectionsMovable(true);
    // A press on a fixed cell starts a drag; it never selects a row or column.
    setSectionsClickable(false);
    setHighlightSections(false);
}

void FixedCellHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    if (!rect.isValid()) return;
    painter->save();
    painter->fillRect(rect, TransactionTableModel::fixedCellColour());
    painter->setPen(QColor(160, 160, 160));
    painter->drawLine(rect.topRight(), rect.bottomRight());
    painter->drawLine(rect.bottomLeft(), rect.bottomRight());
    painter->setPen(Qt::black);
    painter->setFont(font());
    const QString text =
        model() ? model()->headerData(logicalIndex, orientation()).toString() : QString();
    painter->setClipRect(rect);
    painter->drawText(rect.adjusted(1, 2, -1, 0), Qt::AlignHCenter | Qt::AlignTop, text);
    painter->restore();
}

}  // namespace ui
