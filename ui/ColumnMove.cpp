#include "ui/ColumnMove.h"

#include <algorithm>

namespace ui {

void MoveColumn(core::TransactionTable& table, int from, int to) {
    if (from == to) return;
    for (int r = 0; r < table.rowCount(); ++r) {
        auto row = table.row(r);
        if (from < to) {
            std::rotate(row.begin() + from, row.begin() + from + 1, row.begin() + to + 1);
        } else {
            std::rotate(row.begin() + to, row.begin() + from, row.begin() + from + 1);
        }
        table.setRow(r, row);
    }
    // The current cell follows its contents, as it does for a row move.
    int current = table.currentColumn();
    if (current == from) {
        current = to;
    } else if (from < current && current <= to) {
        --current;
    } else if (to <= current && current < from) {
        ++current;
    }
    table.setCurrentCellQuietly(current, table.currentRow());
}

}  // namespace ui
