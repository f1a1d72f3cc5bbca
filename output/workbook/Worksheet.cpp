#include "output/workbook/Worksheet.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <stdexcept>

namespace output {

bool SheetCell::writtenAlike(const SheetCell& other) const {
    return kind == other.kind && bold == other.bold && large == other.large &&
           amountFormat == other.amountFormat &&
           std::bit_cast<std::uint64_t>(number) == std::bit_cast<std::uint64_t>(other.number) &&
           text == other.text;
}

bool Worksheet::writtenAlike(const Worksheet& other) const {
    const auto cellsAlike = [](const std::vector<SheetCell>& a, const std::vector<SheetCell>& b) {
        return std::ranges::equal(a, b, &SheetCell::writtenAlike);
    };
    return amountFormatCode_ == other.amountFormatCode_ && separators_ == other.separators_ &&
           columnWidths_ == other.columnWidths_ && columnFits_ == other.columnFits_ &&
           std::ranges::equal(rows_, other.rows_, cellsAlike);
}

void Worksheet::reserve(int rows, int columns) {
    if (rows > 0) rows_.reserve(static_cast<std::size_t>(rows));
    if (columns > 0) rowCapacity_ = static_cast<std::size_t>(columns);
}

SheetCell& Worksheet::touch(int row, int column) {
    if (row < 1 || column < 1) throw std::out_of_range("sheet cells are counted from 1");
    if (rows_.size() < static_cast<std::size_t>(row)) rows_.resize(static_cast<std::size_t>(row));
    std::vector<SheetCell>& cells = rows_[static_cast<std::size_t>(row - 1)];
    if (cells.size() < static_cast<std::size_t>(column)) {
        if (cells.capacity() < rowCapacity_) cells.reserve(rowCapacity_);
        cells.resize(static_cast<std::size_t>(column));
    }
    return cells[static_cast<std::size_t>(column - 1)];
}

const SheetCell& Worksheet::cell(int row, int column) const {
    static const SheetCell empty;
    if (row < 1 || row > rowCount() || column < 1) return empty;
    const std::vector<SheetCell>& cells = rows_[static_cast<std::size_t>(row - 1)];
    return static_cast<std::size_t>(column) <= cells.size()
               ? cells[static_cast<std::size_t>(column - 1)]
               : empty;
}

void Worksheet::setText(int row, int column, const QString& text) {
    SheetCell& cell = touch(row, column);
    cell.kind = text.isEmpty() ? SheetCell::Kind::Empty : SheetCell::Kind::Text;
    cell.text = text;
    cell.number = 0;
}

void Worksheet::setNumber(int row, int column, double value) {
    SheetCell& cell = touch(row, column);
    cell.kind = SheetCell::Kind::Number;
    cell.text.clear();
    cell.number = value;
}

void Worksheet::setFormula(int row, int column, const QString& formula, double computedValue) {
    SheetCell& cell = touch(row, column);
    cell.kind = SheetCell::Kind::Formula;
    cell.text = formula;
    cell.number = computedValue;
}

template <typename Change>
void Worksheet::forEachCell(const CellRange& range, Change change) {
    for (int r = range.firstRow; r <= range.lastRow; ++r) {
        for (int c = range.firstColumn; c <= range.lastColumn; ++c) change(touch(r, c));
    }
}

void Worksheet::setBold(const CellRange& range) {
    forEachCell(range, [](SheetCell& cell) { cell.bold = true; });
}

void Worksheet::setLarge(const CellRange& range) {
    forEachCell(range, [](SheetCell& cell) { cell.large = true; });
}

void Worksheet::setAmountFormat(const CellRange& range) {
    forEachCell(range, [](SheetCell& cell) { cell.amountFormat = true; });
}

QString ColumnLetters(int column) {
    QString letters;
    for (int n = column; n > 0; n = (n - 1) / 26) {
        letters.prepend(QChar(u'A' + (n - 1) % 26));
    }
    return letters;
}

}  // namespace output
