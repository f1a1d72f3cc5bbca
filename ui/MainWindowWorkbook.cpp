// The main window's workbook commands: the export opened in the spreadsheet program and
// the workbook mailed through the mail program. The workbook itself is made in output/.
#include <QDir>
#include <QFile>
#include <QTemporaryFile>

#include "core/CommandEnding.h"
#include "core/Errors.h"
#include "output/workbook/WorkbookExport.h"
#include "storage/CalculationFile.h"
#include "storage/ProgramLocations.h"
#include "ui/DesktopHandOff.h"
#include "ui/MainWindow.h"
#include "ui/TransactionGrid.h"

namespace ui {
namespace {

const QString kNoSpreadsheetApplication =
    QStringLiteral("Excel dökümü alabilmek için excel kurulu olmalıdır!");
const QString kSpreadsheetCannotStart = QStringLiteral("Excel açılamadı. Sistem Mesajı: %1");
const QString kNoMailProgram =
    QStringLiteral("Mail gönderebilmek için, bilgisyarınızda Outlook kurulu olmalıdır.");
const QString kMailCannotStart = QStringLiteral("Mail programı açılamadı. Sistem Mesajı: %1");

// A new, empty file in the user's temporary folder for one export; it outlives the
// program, as the spreadsheet program reads it after we hand it over.
QString NewExportFile() {
    QTemporaryFile file(QDir::tempPath() + QStringLiteral("/Vovirer-XXXXXX.xlsx"));
    file.setAutoRemove(false);
    if (!file.open()) {
        throw core::CalcError(storage::kCannotSave + QLatin1Char('\n') + QDir::tempPath() +
                              QLatin1Char('\n') + file.errorString());
    }
    return file.fileName();
}

}  // namespace

void MainWindow::exportWorkbook() {
    core::RunReportingFailure(calc_.dialogs(), [&] {
        if (!HasSpreadsheetApplication()) {
            calc_.dialogs().notify(core::Notice{kNoSpreadsheetApplication, core::kApplicationTitle,
                                                core::DialogIcon::Information});
            return;
        }
        const QString path = NewExportFile();
        try {
            output::WriteWorkbook(calc_, path, output::WorkbookLayout::Export);
            if (const auto reason = OpenInSpreadsheetApplication(path)) {
                throw core::CalcError(kSpreadsheetCannotStart.arg(*reason));
            }
        } catch (...) {
            QFile::remove(path);
            throw;
        }
    });
    grid_->showTable();
    showInputsAndTotals();
}

void MainWindow::mailWorkbook() {
    core::RunReportingFailure(calc_.dialogs(), [&] {
        // Relative names of the program's files are looked up in its folder from now on.
        QDir::setCurrent(services_.programFolder);
        if (!HasMailProgram()) {
            calc_.dialogs().message(kNoMailProgram);
            return;
        }
        // The previous mail's workbook goes first; the new one stays after the mail window
        // opens, as the mail program reads the attachment later.
        const QString path =
            storage::ReportWorkbookFile(storage::ProgramLocations::of(services_.programFolder));
        QFile::remove(path);
        output::WriteWorkbook(calc_, path, output::WorkbookLayout::Mail);
        const QString name = calc_.inputs().creditLineName;
        if (const auto reason = ShowNewMail({QStringLiteral("@"), name, name, path})) {
            throw core::CalcError(kMailCannotStart.arg(*reason));
        }
    });
    grid_->showTable();
    showInputsAndTotals();
}

}  // namespace ui
