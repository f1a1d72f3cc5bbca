#include "sheets/PreviewGrid.h"

#include <algorithm>

namespace sheets {

PreviewGrid::PreviewGrid() : cells_(std::size_t(kInitialRows) * kInitialColumns) {}

QString PreviewGrid::cell(int column, int row) const {
    if (column < 0 || row < 0 || column >= columns_ || row >= rows_) return QString();
    return cells_[std::size_t(row) * columns_ + column];
}

void PreviewGrid::setCell(int column, int row, const QString& text) {
    if (column < 0 || row < 0 || column >= columns_ || row >= rows_) return;
    cells_[std::size_t(row) * columns_ + column] = text;
}

void PreviewGrid::clearRows() { std::fill(cells_.begin() + columns_, cells_.end(), QString()); }

void PreviewGrid::show(const SheetContent& sheet) {
    const int lastRow = std::min(std::max(sheet.lastRow, 1) + 1, kMaxRows);
    const int lastColumn = std::min(std::max(sheet.lastColumn, 1) + 1, kMaxColumns);
    rows_ = lastRow + 2;
    columns_ = lastColumn + 1;
    cells_.assign(std::size_t(rows_) * columns_, QString());
    for (const SheetContent::Cell& c : sheet.cells) {
        if (c.row <= lastRow && c.column <= lastColumn) setCell(c.column, c.row, c.text);
    }
    for (int r = 1; r < rows_; ++r) setCell(0, r, QString::number(r));
    for (int c = 1; c < columns_; ++c) setCell(c, 0, QString::number(c));
}

QString PreviewCaption(const QString& path) {
    return QStringLiteral("Durvex Vovirer Dorud Zizevarev Programı  - Excel Dosya Aktarma - ") +
           path + QStringLiteral(" - Dosyası Aktarıldı");
}

}  // namespace sheets
