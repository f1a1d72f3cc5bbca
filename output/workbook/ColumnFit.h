#pragma once

#include <QString>
#include <map>

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

// The width of each column that has one: as set on the sheet, or as its fitted columns need
// (Worksheet::fitColumns). Columns left out keep the default width.
std::map<int, double> ColumnWidths(const Worksheet& sheet);

}  // namespace output
