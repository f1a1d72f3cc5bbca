// The module of report --pdf: lays the report out in pages and paints them with Qt's PDF
// writer, the only command that needs Qt's GUI module and the font libraries.
#include <QDate>
#include <QGuiApplication>
#include <memory>

#include "cli/CommandModules.h"
#include "output/report/PageLayout.h"
#include "output/report/PagePainter.h"
#include "output/report/ReportTemplate.h"

namespace {

// Fonts and painters need a GUI application. The tool never shows a window, so it paints on
// the offscreen platform and needs no display.
std::unique_ptr<QGuiApplication> applicationForPainting() {
    if (QCoreApplication::instance()) return nullptr;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "vovirer";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

std::optional<QString> writeReportPdf(const report::ReportText& text, report::ReportWidth width,
                                      const QString& path) {
    const auto application = applicationForPainting();
    const report::LaidOutReport pages =
        report::LayOutReport(report::FilledReportTemplate(width, text), QDate::currentDate());
    return report::WriteReportPdf(pages, path);
}

const cli::ReportPdfModule kTable{cli::kModuleInterface, writeReportPdf};

}  // namespace

extern "C" __attribute__((visibility("default"))) const cli::ReportPdfModule*
vovirer_report_pdf_module() {
    return &kTable;
}
