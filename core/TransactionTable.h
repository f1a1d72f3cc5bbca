#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "core/TableObserver.h"

namespace core {

// Column numbers of the transaction table.
namespace col {
constexpr int Number = 0;
constexpr int TransactionDate = 1;
constexpr int ValueDate = 2;
constexpr int Description = 3;
constexpr int Drawn = 4;
constexpr int Repaid = 5;
constexpr int InterestPaid = 6;
constexpr int Rate = 7;
constexpr int Days = 8;
constexpr int PeriodInterest = 9;
constexpr int CreditBalance = 10;
constexpr int InterestBalance = 11;
constexpr int PeriodTax = 12;
constexpr int InterestNumber = 13;
constexpr int SortKey = 14;
}  // namespace col

// The grid of text cells that holds a whole calculation: row 0 captions, column 0 row
// numbers, data rows 1 to rowCount()-1. Rows move whole, hidden columns included.
class TransactionTable {
  public:
    static constexpr int ColumnCount = 15;
    using Row = std::array<QString, ColumnCount>;

    // A new table: captions in row 0 and one empty data row numbered "1".
    TransactionTable();
    // A copy counts every row as changed, so whoever keeps figures derived from the table
    // (the totals' running sums) reads the copy afresh.
    TransactionTable(const TransactionTable& other);
    TransactionTable& operator=(const TransactionTable& other);
    TransactionTable(TransactionTable&&) noexcept = default;
    // The observer hears that the table was replaced as a whole.
    TransactionTable& operator=(TransactionTable&& other) noexcept;

    // The one observer told of every change (none: nullptr). It belongs to this table object,
    // not to its contents: a copy or a moved-to table starts without one, an assigned table
    // keeps its own.
    void setObserver(TableObserver* observer) { observer_.observer = observer; }

    // While one is alive the observer hears nothing of single changes; when it ends, that the
    // table was replaced as a whole. For filling a table afresh, as opening a file does.
    class Replacement {
      public:
        explicit Replacement(TransactionTable& table);
        ~Replacement();
        Replacement(const Replacement&) = delete;
        Replacement& operator=(const Replacement&) = delete;

      private:
        TransactionTable& table_;
    };

    static const QStringList& captions();  // columns 0..14, column 0 empty

    int rowCount() const { return static_cast<int>(rows_.size()); }
    int columnCount() const { return ColumnCount; }
    // Grows with empty rows or drops rows from the end; never below the caption row and
    // one data row.
    void setRowCount(int count);

    const QString& cell(int column, int row) const { return rows_[row].cell(column); }
    // True when row `row` of both tables still shares its texts from a copy, so that it is
    // equal without comparing them; false says nothing.
    bool sharesRow(const TransactionTable& other, int row) const {
        return rows_[row].sharesCells(other.rows_[row]);
    }
    void setCell(int column, int row, const QString& text);
    // The same, taking over a text made for the cell instead of sharing it.
    void setCell(int column, int row, QString&& text);
    Row row(int index) const { return rows_[index].toRow(); }
    void setRow(int index, Row row);

    // The amount columns (drawn to interest number) keep the value read from their text
    // beside it, so a long table is not read again at every row move. The table only
    // stores what the reader found; any new text of the cell forgets it.
    static bool isAmountColumn(int column) {
        return column >= kFirstAmountColumn && column <= kLastAmountColumn;
    }
    const double* knownAmount(int column, int row) const { return rows_[row].knownAmount(column); }
    void rememberAmount(int column, int row, double value) const {
        rows_[row].rememberAmount(column, value);
    }

    // The lowest data row whose amount cells, respectively row number, changed (or that
    // moved, appeared or went) since the last forgetChanges(); rowCount() or more if none.
    int amountsChangedFrom() const { return amountsChangedFrom_; }
    int numbersChangedFrom() const { return numbersChangedFrom_; }
    void forgetChanges() { amountsChangedFrom_ = numbersChangedFrom_ = kNoChange; }

    int currentColumn() const { return currentColumn_; }
    int currentRow() const { return currentRow_; }
    // Sets the current cell without any recalculation; the calculation's moves do that.
    void setCurrentCellQuietly(int column, int row);

    // Moves row `from` to position `to`, the rows between shifting by one; the current
    // row follows its contents, as the grid's own row move does.
    void moveRow(int from, int to);
    // Moves column `from` to position `to` in every row, captions included; the columns
    // between shift by one and the current column follows its contents, as the grid's own
    // column move does. Nothing is renumbered or recaptioned, and the current column may land
    // on a column that takes no input.
    void moveColumn(int from, int to);
    void swapRows(int a, int b);
    // Removes a data row; the current row keeps its index or becomes the new last row.
    void removeRow(int index);
    // Cell (0, r) becomes the text of r for every data row.
    void renumber();
    // Empties every data cell, leaves one data row numbered "1" (captions stay).
    void clearData();

  private:
    static constexpr int kFirstAmountColumn = col::Drawn;
    static constexpr int kLastAmountColumn = col::InterestNumber;
    static constexpr int kAmountColumns = kLastAmountColumn - kFirstAmountColumn + 1;
    static constexpr int kNoChange = 0x7fffffff;

    void noteChange(int column, int row);
    void noteRowsChanged(int fromRow);
    bool observed() const { return observer_.observer != nullptr && replacing_ == 0; }
    void announce(const TableChange& change) const {
        if (observed()) observer_.observer->tableAboutToChange(change);
    }
    void report(const TableChange& change) const {
        if (observed()) observer_.observer->tableChanged(change);
    }
    void reportRowChanged(int row) const {
        report({TableChange::Kind::Cells, row, row, 0, ColumnCount - 1, 0});
    }

    // Holds the observer without passing it on to copies.
    struct ObserverSlot {
        ObserverSlot() = default;
        ObserverSlot(const ObserverSlot&) {}
        ObserverSlot& operator=(const ObserverSlot&) { return *this; }
        TableObserver* observer = nullptr;
    };

    // A row holds only the cells that were ever given a text, so that the many empty or
    // short rows of a long table cost a few bytes each instead of fifteen strings; a row that
    // outgrows four texts gets a place for every column. Copies
    // share the texts until one of them changes a cell: the window keeps copies of the whole
    // table for undo and for the saved state, and most rows never change after them.
    class StoredRow {
      public:
        StoredRow() = default;
        explicit StoredRow(Row row);
        StoredRow(const StoredRow& other);
        StoredRow& operator=(const StoredRow& other);
        StoredRow(StoredRow&&) noexcept = default;
        StoredRow& operator=(StoredRow&&) noexcept = default;

        // Inline: the recalculation reads a cell at every step.
        const QString& cell(int column) const {
            if ((columns_ & (1u << column)) == 0) return kEmptyText;
            return cells_[slot(column)];
        }
        void setCell(int column, QString&& text);
        bool sharesCells(const StoredRow& other) const {
            return columns_ == other.columns_ && cells_ == other.cells_;
        }
        Row toRow() const;

        const double* knownAmount(int column) const {
            const int i = column - kFirstAmountColumn;
            return (amountsKnown_ & (1u << i)) != 0 ? &amounts_[i] : nullptr;
        }
        void rememberAmount(int column, double value) const {
            const int i = column - kFirstAmountColumn;
            amounts_[i] = value;
            amountsKnown_ = std::uint16_t(amountsKnown_ | (1u << i));
        }

      private:
        // The set bits of a column mask, counted inline: without a processor option
        // std::popcount becomes a library call, on every cell read.
        static int bitCount(unsigned mask) {
            mask = mask - ((mask >> 1) & 0x5555u);
            mask = (mask & 0x3333u) + ((mask >> 2) & 0x3333u);
            mask = (mask + (mask >> 4)) & 0x0f0fu;
            return static_cast<int>((mask + (mask >> 8)) & 0x1fu);
        }
        // Constant-initialised, so a read of an empty cell needs no guard.
        static constinit const QString kEmptyText;
        // Index in cells_ of a column that has a cell.
        int slot(int column) const { return bitCount(unsigned(columns_) & ((1u << column) - 1)); }
        int size() const { return bitCount(columns_); }
        // Makes cells_ this row's own with room for `capacity` cells, keeping its texts.
        void ownCells(int capacity);
        // Gives every column its place in cells_ (texts of columns never written stay empty),
        // so that cells_[c] is column c's text.
        void spreadOverAllColumns();
        static constexpr std::uint16_t kAllColumns = (1u << ColumnCount) - 1;

        std::uint16_t columns_ = 0;         // bit c set: column c has a place in cells_
        std::uint8_t capacity_ = 0;         // length of cells_; grows by doubling
        std::shared_ptr<QString[]> cells_;  // shared with copies until one writes
        // Bit i: amounts_[i] holds the value of the text of column kFirstAmountColumn + i.
        mutable std::uint16_t amountsKnown_ = 0;
        mutable std::array<double, kAmountColumns> amounts_{};
    };

    std::vector<StoredRow> rows_;
    int amountsChangedFrom_ = 1;
    int numbersChangedFrom_ = 1;
    int currentColumn_ = 1;
    int currentRow_ = 1;
    ObserverSlot observer_;
    int replacing_ = 0;
};

}  // namespace core
