#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <algorithm>
#include <functional>

#include "core/TableObserver.h"
#include "core/TransactionTable.h"

namespace ui {

// Presents the core's transaction table to the grid view. The view's rows and columns are
// the table's data rows and columns 1 to 14; row 0 (captions) and column 0 (row numbers)
// are the view's headers, so they stay fixed while the data scrolls. It only answers for
// the cells the view asks about and, as the table's observer, tells the view exactly what
// changed: rows inserted, removed or moved and a column moved at once, changed cells
// gathered into one range until flushChanges() or the next turn of the event loop. Only a
// table replaced as a whole resets the model.
class TransactionTableModel : public QAbstractTableModel, private core::TableObserver {
    Q_OBJECT
  public:
    static constexpr int ColumnCount = core::TransactionTable::ColumnCount - 1;

    // Observes `table` until destroyed; the table must outlive the model.
    explicit TransactionTableModel(core::TransactionTable& table, QObject* parent = nullptr);
    ~TransactionTableModel() override;
    TransactionTableModel(const TransactionTableModel&) = delete;
    TransactionTableModel& operator=(const TransactionTableModel&) = delete;

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

    // The tooltip of a cell, by table column and row; none unless set.
    void setCellTips(std::function<QString(int tableColumn, int tableRow)> tips) {
        cellTips_ = std::move(tips);
    }

    // Tells the view now of the cells changed since the last time.
    void flushChanges();
    // Appends the new entry row.
    void appendEntryRow();
    // Whole-row and whole-column moves by dragging: every cell moves, numbers and captions too.
    void moveRow(int fromTableRow, int toTableRow);
    void moveColumn(int fromTableColumn, int toTableColumn);

  private:
    // A range of rows or columns, empty while first > last.
    struct Span {
        int first = 1;
        int last = 0;
        bool isEmpty() const { return first > last; }
        void add(int from, int to) {
            const bool empty = isEmpty();
            first = empty ? from : std::min(first, from);
            last = empty ? to : std::max(last, to);
        }
    };

    void tableAboutToChange(const core::TableChange& change) override;
    void tableChanged(const core::TableChange& change) override;
    void noteChangedCells(const core::TableChange& change);
    void forgetChangedCells();

    core::TransactionTable& table_;
    std::function<QString(int, int)> cellTips_;
    // Changed cells not yet told, in model rows and columns; captions and row numbers apart.
    Span changedRows_;
    Span changedColumns_;
    Span changedCaptions_;
    Span changedNumbers_;
    bool flushQueued_ = false;
    bool moveBegun_ = false;  // the view accepted the move being made
};

}  // namespace ui
