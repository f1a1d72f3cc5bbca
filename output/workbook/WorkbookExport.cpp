#include "output/workbook/WorkbookExport.h"

#include <exception>

#include "core/Errors.h"
#include "output/workbook/XlsxFile.h"

namespace output {

void WriteWorkbook(core::Calculation& calc, const QString& path, WorkbookLayout layout) {
    Worksheet sheet(AmountFormatCode(calc.separators()), calc.separators());
    calc.setCurrentRow(1);
    std::exception_ptr tableError;
    try {
        WriteTableRows(sheet, calc, layout);
    } catch (const core::CommandFailure&) {
        if (layout == WorkbookLayout::Export) throw;
        tableError = std::current_exception();
    }
    if (!tableError) WriteHeaderAndTotals(sheet, calc, layout);
    WriteXlsxFile(sheet, path);
    if (tableError) std::rethrow_exception(tableError);
}

}  // namespace output
