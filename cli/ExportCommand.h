#pragma once

#include <QString>

#include "core/Calculation.h"

namespace cli {

// `vovirer export FILE.fdr OUT.xlsx [--mail-layout]`, after the open: writes the workbook
// of "EXCEL'E VERİ AKTAR" (with mailLayout, the mail command's) to OUT.xlsx and opens
// nothing. Throws as the command does: core::SilentStop, core::CalcError.
void ExportWorkbook(core::Calculation& calc, const QString& outPath, bool mailLayout);

}  // namespace cli
