#pragma once

#include <QFont>
#include <QHeaderView>
#include <QString>

namespace ui {

// The grid's fixed row (captions) and fixed column (row numbers): flat cells in the fixed
// colour with centred text and a grid line, movable by dragging.
class FixedCellHeader : public QHeaderView {
    Q_OBJECT
  public:
    explicit FixedCellHeader(Qt::Orientation orientation, QWidget* parent = nullptr);

    // Space kept between a caption and each border of its column.
    static constexpr int kTextMargin = 3;
    // `font`, made smaller as far as needed for `text` to fit in `width` pixels.
    static QFont FontFitting(const QFont& font, const QString& text, int width);

  protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
};

}  // namespace ui
