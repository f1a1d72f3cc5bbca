#pragma once

#include <optional>

#include "core/TransactionTable.h"

namespace core {

// How the user enters a table: which cells take typing, where Enter leads, when a new entry
// row opens. The rules go by column position, whatever a column drag has put there.

// Columns 1 to 7 take input and may become the current cell; the row numbers and the
// computed columns 8 to 14 never do.
bool TakesInput(int column);

// Columns 4 to 7 hold amounts and the rate: they take only an amount's keys and show an
// integer grouped while it is typed.
bool IsAmountInputColumn(int column);

struct CellPosition {
    int column = 0;
    int row = 0;

    bool operator==(const CellPosition&) const = default;
};

// Where Enter takes the current cell: one column to the right up to the rate column, from
// there to column 1 of the next row (of the same row on the last). Nothing in a column that
// takes no input.
std::optional<CellPosition> EnterTarget(const TransactionTable& table);

// A key in the description of the last row opens a new entry row below it once the row's
// value date is typed (eight characters at least).
bool OpensEntryRow(const TransactionTable& table);

// Appends one empty row numbered with its index.
void AppendEntryRow(TransactionTable& table);

}  // namespace core
