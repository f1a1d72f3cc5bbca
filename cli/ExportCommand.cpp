#include "cli/ExportCommand.h"

#include "output/workbook/WorkbookExport.h"

namespace cli {

void ExportWorkbook(core::Calculation& calc, const QString& outPath, bool mailLayout) {
    output::WriteWorkbook(
        calc, outPath, mailLayout ? output::WorkbookLayout::Mail : output::WorkbookLayout::Export);
}

}  // namespace cli
