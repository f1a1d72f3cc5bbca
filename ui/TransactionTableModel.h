#pragma once

#include <QAbstractTableModel>
#include <QColor>

#include "core/TransactionTable.h"

namespace ui {

// Presents the core's transaction table to the grid view. The view's rows and columns are
// the table's data rows and columns 1 to 14; row 0 (captions) and column 0 (row numbers)
// are the view's headers, so they stay fixed while the data scrolls. It only answers for
// the cells the view asks about and tells the view exactly which rows changed, so a
// keystroke never touches the whole table.
class TransactionTableModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    static constexpr int ColumnCount = core::TransactionTable::ColumnCount - 1;

    static const QColor& fixedCellColour();
    static const QColor& oddRowColour();
    static const QColor& evenRowColour();
    static const QColor& valueDateColour();

    explicit TransactionTableModel(core::TransactionTable& table, QObject* parent = nullptr);

    static int tableRow(int modelRow) { return modelRow + 1; }
    static int tableColumn(int modelColumn) { return modelColumn + 1; }
    QModelIndex indexOfCell(int tableColumn, int tableRow) const;
    // The alignment a cell's text is drawn with.
    static Qt::Alignment alignmentOf(int tableColumn);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    // After the core changed one row's cells.
    void rowChanged(int tableRow);
    // After the core changed the table as a whole (commands, opening a file).
    void reload();
    // Appends the new entry row.
    void appendEntryRow();
    // Whole-row and whole-column moves by dragging: every cell moves, numbers and captions too.
    void moveRow(int fromTableRow, int toTableRow);
    void moveColumn(int fromTableColumn, int toTableColumn);

  private:
    core::TransactionTable& table_;
    int rows_;  // the row count the view was last told about
};

}  // namespace ui
