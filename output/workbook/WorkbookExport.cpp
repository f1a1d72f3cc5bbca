#include "output/workbook/WorkbookExport.h"

#include <exception>

#include "core/Errors.h"
#include "output/workbook/XlsxFile.h"

namespace output {

Worksheet ExportedSheet(core::Calculation& calc) {
    Worksheet sheet(AmountFormatCode(calc.separators()), calc.separators());
    calc.setCurrentRow(1);
    WriteTableRows(sheet, calc, WorkbookLayout::Export);
    WriteHeaderAndTotals(sheet, calc, WorkbookLayout::Export);
    return sheet;
}

void WriteWorkbook(core::Calculation& calc, const QString& path, WorkbookLayout layout) {
    if (layout == WorkbookLayout::Export) {
        WriteXlsxFile(ExportedSheet(calc), path);
        return;
    }
    // The mail's workbook is written even when a row stops it.
    Worksheet sheet(AmountFormatCode(calc.separators()), calc.separators());
    calc.setCurrentRow(1);
    std::exception_ptr tableError;
    try {
        WriteTableRows(sheet, calc, layout);
    } catch (const core::CommandFailure&) {
        tableError = std::current_exception();
    }
    if (!tableError) WriteHeaderAndTotals(sheet, calc, layout);
    WriteXlsxFile(sheet, path);
    if (tableError) std::rethrow_exception(tableError);
}

}  // namespace output
