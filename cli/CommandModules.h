#pragma once

// The work of the subcommands that need heavy libraries lives in modules the tool loads only
// when such a subcommand runs: Qt's painting and PDF writer for report --pdf, libxlsxwriter for
// export, libzip and FreeXL for preview and import. Every other command starts without
// loading or relocating those libraries.

#include <QString>
#include <optional>
#include <thread>

#include "core/Calculation.h"
#include "output/report/ReportText.h"
#include "output/workbook/ExportSheet.h"
#include "sheets/PreviewGrid.h"

namespace cli {

// Changes whenever a table below changes, so a module left from another build is refused
// rather than called with the wrong arguments.
constexpr int kModuleInterface = 1;

struct ReportPdfModule {
    int interface;
    // The report's pages written as PDF to `path`; the failure's text, or nothing.
    std::optional<QString> (*writeReportPdf)(const report::ReportText& text,
                                             report::ReportWidth width, const QString& path);
};

struct WorkbookModule {
    int interface;
    // output::WriteWorkbook.
    void (*writeWorkbook)(core::Calculation& calc, const QString& path,
                          output::WorkbookLayout layout);
};

struct SheetsModule {
    int interface;
    // sheets::ReadIntoPreview without containment: the tool itself is the contained reader.
    QString (*readIntoPreview)(sheets::PreviewGrid& preview, const QString& path);
};

// Each module loaded on first use. Throws FileError naming the module when it is missing or
// from another build.
const ReportPdfModule& ReportPdf();
const WorkbookModule& Workbook();
const SheetsModule& Sheets();

struct Invocation;

// Starts loading the module the invocation will need on a thread of its own, so that its
// libraries are mapped and relocated while the command reads its file; the first use then
// waits only for what is left. The thread is joined when the result goes.
std::jthread PreloadModuleFor(const Invocation& invocation);

}  // namespace cli

// The one symbol each module exports.
extern "C" {
const cli::ReportPdfModule* vovirer_report_pdf_module();
const cli::WorkbookModule* vovirer_workbook_module();
const cli::SheetsModule* vovirer_sheets_module();
}
