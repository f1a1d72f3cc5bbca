#include "core/CellEntry.h"

namespace core {

bool TakesInput(int column) { return column >= col::TransactionDate && column <= col::Rate; }

bool IsAmountInputColumn(int column) { return column >= col::Drawn && column <= col::Rate; }

std::optional<CellPosition> EnterTarget(const TransactionTable& table) {
    const int column = table.currentColumn();
    const int row = table.currentRow();
    if (!TakesInput(column)) return std::nullopt;
    if (column < col::Rate) return CellPosition{column + 1, row};
    const int last = table.rowCount() - 1;
    return CellPosition{col::TransactionDate, row < last ? row + 1 : row};
}

bool OpensEntryRow(const TransactionTable& table) {
    const int row = table.currentRow();
    return table.currentColumn() == col::Description && row == table.rowCount() - 1 &&
           table.cell(col::ValueDate, row).size() >= 8;
}

void AppendEntryRow(TransactionTable& table) {
    const int newRow = table.rowCount();
    table.setRowCount(newRow + 1);
    table.setCell(col::Number, newRow, QString::number(newRow));
}

}  // namespace core
