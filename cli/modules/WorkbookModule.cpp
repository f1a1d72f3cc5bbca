// The module of export: the workbook written with libxlsxwriter.
#include "cli/CommandModules.h"
#include "output/workbook/WorkbookExport.h"

namespace {

const cli::WorkbookModule kTable{cli::kModuleInterface, output::WriteWorkbook};

}  // namespace

extern "C" __attribute__((visibility("default"))) const cli::WorkbookModule*
vovirer_workbook_module() {
    return &kTable;
}
