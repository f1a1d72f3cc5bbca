#pragma once

#include <QObject>

namespace ui {

// Paints the grid's top-left corner as the fixed cells are painted; the style would draw
// the corner button in its own, paler colours.
class FixedCornerPainter : public QObject {
    Q_OBJECT
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace ui
