#pragma once

#include <QLineEdit>
#include <QMenu>
#include <QPersistentModelIndex>
#include <QPointer>
#include <QTableView>
#include <array>

#include "core/Calculation.h"
#include "ui/mainwindow/TransactionTableModel.h"

namespace ui {

class GridCellDelegate;

// The transaction table on screen. The core keeps the current cell; the view shows it with
// the always-shown cell editor, reports the user's moves to the core (which recalculates
// the row entered) and applies the grid's key rules: Enter walking across the row, the key
// filter and live grouping of the amount columns, the new entry row, Up and Down
// recalculating the row left.
class TransactionGrid : public QTableView {
    Q_OBJECT
  public:
    explicit TransactionGrid(core::Calculation& calculation, QWidget* parent = nullptr);

    TransactionTableModel& tableModel() { return *model_; }
    QLineEdit* cellEditor() const { return editor_; }
    bool decimalKeyFlag() const { return decimalKeyFlag_; }
    // The menu opened with the secondary button; its shortcuts act while the grid has focus.
    void setPopupMenu(QMenu* menu);

    // The grid's click event: the row recalculation of the current row.
    void recalculateCurrentRow();
    // After a command changed the table: show what changed and the current cell.
    void showTable();

    // The cells dragged over with the mouse (or from the current cell to a Shift+click), as
    // tab-separated text of what the grid shows, left to right as the columns stand; without
    // such a block, the text selected in the cell editor or else the current cell's text.
    QString selectedCellsAsText() const;
    void reset() override;

  signals:
    // A recalculation ran: totals and table inputs may have changed.
    void recalculated();
    // The user typed into a cell.
    void cellEdited();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end) override;

  private:
    template <typename Work>
    bool act(Work&& work);
    bool moveTo(int column, int row);
    void followCore();
    void placeEditor();
    void dropEditor();
    bool holdsFocus() const;

    bool editorEvent(QLineEdit* editor, QEvent* event);
    bool handleKeyPress(QKeyEvent& event);
    void handleKeyRelease(const QKeyEvent& event);
    bool handleGridKeyDown(int key);
    bool gridNavigation(const QKeyEvent& event);
    bool handleGridKeyPress(QChar key);
    bool digitWouldOverflowAmount(QChar key) const;
    static void keepCaretBeforeFirstBlank(QLineEdit& editor);
    void handleGridKeyUp(const QKeyEvent& event);
    bool isMenuShortcut(const QKeyEvent& event) const;
    bool focusIsLeavingGrid(const QFocusEvent& event) const;
    void onEditorTextEdited();
    void selectBlock(const QModelIndex& from, const QModelIndex& to);

    void onRowDragged(int oldVisual, int newVisual);
    void onColumnDragged(int oldVisual, int newVisual);
    void applyColumnWidths();

    core::Calculation& calc_;
    TransactionTableModel* model_;
    GridCellDelegate* delegate_;
    QPersistentModelIndex editorIndex_;
    QPointer<QLineEdit> editor_;
    QPointer<QMenu> popupMenu_;
    std::array<int, TransactionTableModel::ColumnCount> columnWidths_{};
    bool decimalKeyFlag_ = false;
    bool switchingEditor_ = false;
    bool revertingDrag_ = false;
    bool applyingWidths_ = false;
    bool clickPending_ = false;
    QPersistentModelIndex dragFrom_;  // where the button went down, while it is down
};

}  // namespace ui
