// The module of preview and import: the spreadsheet readers with libzip and FreeXL.
#include "cli/CommandModules.h"
#include "sheets/WorkbookReader.h"

namespace {

QString readIntoPreview(sheets::PreviewGrid& preview, const QString& path) {
    return sheets::ReadIntoPreview(preview, path);
}

const cli::SheetsModule kTable{cli::kModuleInterface, readIntoPreview};

}  // namespace

extern "C" __attribute__((visibility("default"))) const cli::SheetsModule* vovirer_sheets_module() {
    return &kTable;
}
