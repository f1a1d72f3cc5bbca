#include "sheets/SheetContent.h"

#include <algorithm>
#include <utility>

#include "files/FileMessages.h"

namespace sheets {
void SheetContent::add(qint64 row, qint64 column, const QString& text, qint64 repeatedColumns) {
    if (row < 1 || column < 1 || repeatedColumns < 1) return;
    row = std::min(row, kIndexCeiling);
    column = std::min(column, kIndexCeiling);
    repeatedColumns = std::min(repeatedColumns, kIndexCeiling);
    const qint64 last = std::min(column + repeatedColumns - 1, kIndexCeiling);
    lastRow = std::max(lastRow, static_cast<int>(row));
    lastColumn = std::max(lastColumn, static_cast<int>(last));
    if (row > kMaxRows) return;
    for (qint64 c = column; c <= std::min<qint64>(last, kMaxColumns); ++c) {
        cells.push_back({static_cast<int>(row), static_cast<int>(c), text.left(kMaxCellText)});
    }
}

void SheetContent::add(qint64 row, qint64 column, QString&& text) {
    if (row < 1 || column < 1 || row > kMaxRows || column > kMaxColumns) {
        add(row, column, std::as_const(text));
        return;
    }
    lastRow = std::max(lastRow, static_cast<int>(row));
    lastColumn = std::max(lastColumn, static_cast<int>(column));
    if (text.size() > kMaxCellText) text.truncate(kMaxCellText);
    cells.push_back({static_cast<int>(row), static_cast<int>(column), std::move(text)});
}

void FailReading(const QString& name, const QString& why) {
    throw ReadError(files::CannotReadMessage(name, why));
}

}  // namespace sheets
