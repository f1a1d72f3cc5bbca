#pragma once

#include <QHeaderView>

namespace ui {

// The grid's fixed row (captions) and fixed column (row numbers): flat cells in the fixed
// colour with centred text and a grid line, movable by dragging.
class FixedCellHeader : public QHeaderView {
    Q_OBJECT
  public:
    explicit FixedCellHeader(Qt::Orientation orientation, QWidget* parent = nullptr);

  protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
};

}  // namespace ui
