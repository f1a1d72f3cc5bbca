#pragma once

#include <QString>

#include "core/Separators.h"
#include "output/workbook/Worksheet.h"

namespace output {

// The face of every cell: its metrics are the ones the column widths are measured with,
// and a face with the same metrics is on every desktop (Liberation Sans on Linux).
inline const char* const kCellFont = "Arial";

// The text a cell shows: a string as it is, a number in the amount format or in general
// form, a formula as its computed value.
QString DisplayedText(const SheetCell& cell, const core::Separators& seps);

// The column width (in digits of the default 11 pt font) that shows the text whole.
double ColumnWidthFor(const QString& text, bool bold, bool large);

// Fits columns firstColumn to lastColumn to the widest text they show from row fromRow
// down; a column that shows nothing there keeps the default width.
void FitColumns(Worksheet& sheet, int firstColumn, int lastColumn, int fromRow,
                const core::Separators& seps);

}  // namespace output
