#pragma once

#include <QString>
#include <optional>
#include <vector>

#include "core/Calculation.h"
#include "core/TabSeparatedText.h"

namespace core {

// Copy and paste of cell blocks between the grid and spreadsheets.
//
// Pasted cells obey the rules of typing: dates become "dd.mm.yyyy" (a two-digit year gets
// its century as when typed; "31/12/2024" and "2024-12-31" are read too), amounts and the
// rate take only digits and separators. A full stop followed by one, two or more than three
// final digits, or one that follows more than three digits, is the decimal point of an
// English sheet ("1234.56" is 1.234,56); otherwise full stops group thousands, as they do
// here ("1.234" is 1234). With both signs, the last one is the decimal separator.

// The grid's columns as the window shows them, left to right (the hidden ones left out).
const std::vector<int>& ShownColumns();

// The text a pasted cell leaves in `column`; none when typing could not have put it there.
std::optional<QString> PastedCellText(int column, const QString& text,
                                      const Separators& seps = Separators::turkish());

// Fills the input columns from (column, row) on with the block: the block's columns land on
// the shown columns from `column` rightwards, those landing on a computed column are
// skipped, rows are added as needed; then every row is recalculated. A block with a cell
// that cannot be pasted changes nothing: CommandFailure names the first such cell (row, column,
// text).
void PasteBlock(Calculation& calc, const CellBlock& block, int column, int row);

// The cells of rows top..bottom in the given columns, as the grid shows them.
CellBlock CopyBlock(const TransactionTable& table, int top, int bottom,
                    const std::vector<int>& columns);

}  // namespace core
