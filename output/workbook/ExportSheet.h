#pragma once

#include <QString>

#include "core/Calculation.h"
#include "output/workbook/Worksheet.h"

namespace output {

// The two sheets made from a calculation: the one the export opens in the spreadsheet
// program, and the one attached to a mail, which leaves out the balance columns.
enum class WorkbookLayout { Export, Mail };

// The number format code of amounts: "#,##0.00" (a Turkish spreadsheet shows it as
// 1.234,56) when the decimal separator is a comma or a full stop, "###000" otherwise.
QString AmountFormatCode(const core::Separators& seps);

// The caption row in sheet row 3 and one sheet row per table row below it. Texts go in
// as strings, amounts and rates as numbers; a zero amount leaves its cell empty, so the
// sums pass over it. Throws core::CommandFailure when an amount cell does not read as a
// number; the rows before it stay written.
void WriteTableRows(Worksheet& sheet, const core::Calculation& calc, WorkbookLayout layout);

// The header block, the "TOPLAM" row with its sums, the summary of the totals, fonts,
// number formats and column widths. A field that does not read as a number ends this
// quietly, keeping what was written before it.
void WriteHeaderAndTotals(Worksheet& sheet, const core::Calculation& calc, WorkbookLayout layout);

}  // namespace output
