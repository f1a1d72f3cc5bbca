// The main window's print commands: the report of the table, shown in the print preview.
#include <QDate>
#include <optional>

#include "core/CommandEnding.h"
#include "output/report/ReportTemplate.h"
#include "output/report/ReportText.h"
#include "ui/mainwindow/MainWindow.h"
#include "ui/mainwindow/TransactionGrid.h"
#include "ui/report/ReportPreviewWindow.h"
#include "ui/report/ReportTextWindow.h"

namespace ui {

void MainWindow::printReport() { printReportOf(report::ReportWidth::Normal); }

void MainWindow::printWideReport() { printReportOf(report::ReportWidth::Wide); }

// The recalculation comes first; when it stops or fails, no report is made.
void MainWindow::printReportOf(report::ReportWidth width) {
    std::optional<report::ReportText> text;
    core::RunReportingFailure(calc_.dialogs(),
                              [&] { text = report::PrepareReportText(calc_, width); });
    showCalculation();
    if (!text) return;
    if (auto* buffer = findChild<ReportTextWindow*>()) buffer->setLines(text->body);
    report::LaidOutReport pages =
        report::LayOutReport(report::FilledReportTemplate(width, *text), services_.today());
    if (services_.showReportPreview) {
        services_.showReportPreview(std::move(pages));
        return;
    }
    ReportPreviewWindow preview(std::move(pages), PreviewServices::standard(), this);
    preview.run();
}

}  // namespace ui
