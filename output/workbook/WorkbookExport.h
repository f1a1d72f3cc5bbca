#pragma once

#include <QString>

#include "core/Calculation.h"
#include "output/workbook/ExportSheet.h"

namespace output {

// Writes the workbook of a calculation to `path`, as the export and the mail commands make
// it: row 1 becomes the current row first (with its recalculation), then the table, the
// header and the totals go in.
//
// A silent stop or an error of the move to row 1 ends it before anything is written. An
// amount cell that does not read as a number ends it with that error: the export writes
// nothing then, the mail layout writes the rows before that cell (its workbook is saved in
// any case) and then passes the error on. A failed write throws core::CommandFailure and leaves
// `path` as it was.
void WriteWorkbook(core::Calculation& calc, const QString& path, WorkbookLayout layout);

// The sheet the export writes, made as WriteWorkbook makes it (row 1 becomes the current row
// first) and failing as it does, before anything is written.
Worksheet ExportedSheet(core::Calculation& calc);

}  // namespace output
