#include "ui/mainwindow/FixedCornerPainter.h"

#include <QEvent>
#include <QPainter>
#include <QWidget>

#include "ui/common/GridPalette.h"

namespace ui {

bool FixedCornerPainter::eventFilter(QObject* watched, QEvent* event) {
    auto* corner = qobject_cast<QWidget*>(watched);
    if (!corner || event->type() != QEvent::Paint) return false;
    QPainter painter(corner);
    const QRect rect = corner->rect();
    painter.fillRect(rect, palette::kFixedCell);
    painter.setPen(palette::kFixedCellLine);
    painter.drawLine(rect.topRight(), rect.bottomRight());
    painter.drawLine(rect.bottomLeft(), rect.bottomRight());
    return true;
}

}  // namespace ui
