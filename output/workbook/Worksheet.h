#pragma once

#include <QString>
#include <cstdint>
#include <map>
#include <vector>

#include "core/Separators.h"

namespace output {

// One cell as the spreadsheet will show it: its value and the formatting set on it.
struct SheetCell {
    enum class Kind : std::uint8_t { Empty, Text, Number, Formula };

    QString text;       // Text: the string; Formula: the formula, without "="
    double number = 0;  // Number: the value; Formula: its computed result
    Kind kind = Kind::Empty;
    bool bold = false;
    bool large = false;         // 12 pt instead of the default 11 pt
    bool amountFormat = false;  // the sheet's amount format instead of the general one

    bool hasValue() const { return kind != Kind::Empty; }
    bool hasFormatting() const { return bold || large || amountFormat; }

    // Whether both cells are written alike: numbers count as the same only bit for bit, as 0
    // and -0 are written differently.
    bool writtenAlike(const SheetCell& other) const;
};

// A rectangle of cells, rows and columns counted from 1 (column 1 is A).
struct CellRange {
    int firstRow;
    int firstColumn;
    int lastRow;
    int lastColumn;

    static CellRange single(int row, int column) { return {row, column, row, column}; }
};

// Columns to be made as wide as the widest text they show from a row down.
struct ColumnFit {
    int firstColumn;
    int lastColumn;
    int fromRow;

    bool operator==(const ColumnFit&) const = default;
};

// The first worksheet of a workbook, kept in memory until it is written. Formatting set on
// a range reaches every cell of it, empty ones included, as in a spreadsheet program.
class Worksheet {
  public:
    // The number format code of cells with the amount format ("#,##0.00"); numbers show with
    // `separators`.
    Worksheet(QString amountFormatCode, const core::Separators& separators)
        : amountFormatCode_(std::move(amountFormatCode)), separators_(separators) {}

    // Makes room for `rows` rows of `columns` cells each, so that a sheet filled row by row
    // does not grow cell by cell. Cells beyond still go in.
    void reserve(int rows, int columns);

    // An empty text leaves the cell empty, as typing nothing into a cell does.
    void setText(int row, int column, const QString& text);
    void setNumber(int row, int column, double value);
    void setFormula(int row, int column, const QString& formula, double computedValue);

    void setBold(const CellRange& range);
    void setLarge(const CellRange& range);
    void setAmountFormat(const CellRange& range);

    // Width in characters of the default font's digits; columns without one keep the default.
    void setColumnWidth(int column, double width) { columnWidths_[column] = width; }
    const std::map<int, double>& columnWidths() const { return columnWidths_; }

    // Columns firstColumn to lastColumn get the width of the widest text they show from row
    // fromRow down, measured when the sheet is written (ColumnWidths); a column that shows
    // nothing there keeps its width.
    void fitColumns(const ColumnFit& fit) { columnFits_.push_back(fit); }
    const std::vector<ColumnFit>& columnFits() const { return columnFits_; }

    const QString& amountFormatCode() const { return amountFormatCode_; }
    const core::Separators& separators() const { return separators_; }

    // Rows 1 to rowCount(); row r holds columns 1 to rowCells(r).size().
    int rowCount() const { return static_cast<int>(rows_.size()); }
    const std::vector<SheetCell>& rowCells(int row) const { return rows_[row - 1]; }
    // A cell never touched reads as an empty, unformatted one.
    const SheetCell& cell(int row, int column) const;

    // Whether both sheets make the same workbook: the same cells written alike, the same
    // formats, widths and fitted columns.
    bool writtenAlike(const Worksheet& other) const;

  private:
    SheetCell& touch(int row, int column);
    template <typename Change>
    void forEachCell(const CellRange& range, Change change);

    QString amountFormatCode_;
    core::Separators separators_;
    std::vector<std::vector<SheetCell>> rows_;
    std::size_t rowCapacity_ = 0;
    std::map<int, double> columnWidths_;
    std::vector<ColumnFit> columnFits_;
};

// "A", ..., "Z", "AA", ...: the letters of a column number.
QString ColumnLetters(int column);

}  // namespace output
