#pragma once

#include <QTableView>

namespace ui {

// The import window's preview grid: Enter, in a cell or in its editor, moves to the next
// column of the row; from the last column to the first column, one row down unless the
// row is the last.
class SheetGridView : public QTableView {
    Q_OBJECT
  public:
    explicit SheetGridView(QWidget* parent = nullptr);

    void moveOnAfterEnter();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace ui
