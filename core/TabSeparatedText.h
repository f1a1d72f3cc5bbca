#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace core {

// A block of cells as spreadsheets put it on the clipboard: one line per row, cells
// separated by tabs, a cell holding a tab, a line break or a quote written in quotes with
// its quotes doubled.
using CellBlock = std::vector<QStringList>;

// Reads such a text; the line break ending the last row is no extra row, and CR LF ends a
// line as LF does. Throws CommandFailure when the block has more than `maxRows` rows or more
// than `maxColumns` cells in a row, so a huge clipboard cannot exhaust memory.
CellBlock ReadTabSeparated(const QString& text, int maxRows, int maxColumns);

// Writes a block in the same form, every row ended by a line break.
QString WriteTabSeparated(const CellBlock& block);

}  // namespace core
