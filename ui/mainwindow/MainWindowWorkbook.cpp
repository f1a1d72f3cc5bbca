// The main window's workbook commands: the export opened in the spreadsheet program and
// the workbook mailed through the mail program. The workbook itself is made in output/.
#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QTimer>

#include "core/CommandEnding.h"
#include "core/Errors.h"
#include "core/RecordingDialogs.h"
#include "output/workbook/ExportPlacement.h"
#include "output/workbook/PreparedWorkbook.h"
#include "output/workbook/WorkbookExport.h"
#include "output/workbook/XlsxFile.h"
#include "storage/CalculationFile.h"
#include "storage/ProgramLocations.h"
#include "ui/desktop/DesktopHandOff.h"
#include "ui/mainwindow/MainWindow.h"
#include "ui/mainwindow/TransactionGrid.h"

namespace ui {
namespace {

const QString kNoSpreadsheetApplication = QStringLiteral(
    "Excel dökümü alabilmek için bilgisayarınızda LibreOffice Calc gibi bir hesap tablosu "
    "programı kurulu olmalıdır!");
const QString kSpreadsheetCannotShow =
    QStringLiteral("Hesap tablosu programı Excel dökümünü açamadı.\nDosya: %1\nSistem Mesajı: %2");
const QString kSavedAs = QStringLiteral("Excel dökümü şu dosyaya kaydedildi:\n%1");
const QString kNoMailProgram = QStringLiteral(
    "Mail gönderebilmek için, bilgisayarınızda Thunderbird gibi bir mail programı kurulu ve "
    "varsayılan mail programı olarak seçili olmalıdır.");
const QString kMailCannotStart = QStringLiteral("Mail programı açılamadı. Sistem Mesajı: %1");

// Making the sheet ahead runs on the window's thread, about 0.4 ms per thousand rows: beyond
// this many rows it would stall the window noticeably at every pause, and the export makes its
// workbook after the click, as it always did.
constexpr int kLongestTableMadeAhead = 50'000;

// The user's documents folder, where a workbook the user edits in place is kept.
QString DocumentsFolder(const QString& programFolder) {
    const QString documents = storage::ProgramLocations::of(programFolder).user.documents;
    return documents.isEmpty() ? QDir::homePath() : documents;
}

}  // namespace

void MainWindow::exportWorkbook() {
    core::RunReportingFailure(calc_.dialogs(), [&] {
        const auto spreadsheet = FindSpreadsheetProgram(*desktop_);
        if (!spreadsheet) {
            calc_.dialogs().notify(core::Notice{kNoSpreadsheetApplication, core::kApplicationTitle,
                                                core::DialogIcon::Information});
            return;
        }
        const QString temporaryFolder = QDir::tempPath();
        output::RemoveTemporaryExportsOlderThan(
            temporaryFolder,
            QDateTime::currentDateTime().addSecs(-output::kTemporaryExportLifetimeSecs));
        const QString documents = DocumentsFolder(services_.programFolder);
        const QString path = spreadsheet->opensAsNewDocument
                                 ? output::NewTemporaryExport(temporaryFolder)
                                 : output::NamedExport(documents, services_.today());
        try {
            output::Worksheet sheet = output::ExportedSheet(calc_);
            std::optional<QByteArray> bytes = preparedExport_->bytesFor(sheet);
            if (!bytes) {
                bytes = output::XlsxFileBytes(sheet, path);
                // Exported again unchanged, the same workbook serves.
                preparedExport_->keep(std::move(sheet), *bytes);
            }
            output::WriteXlsxFileBytes(*bytes, path);
        } catch (...) {
            QFile::remove(path);
            throw;
        }
        const bool temporary = spreadsheet->opensAsNewDocument;
        ShowWorkbook(*spreadsheet, path,
                     [window = QPointer<MainWindow>(this), path, temporary,
                      documents](const QString& reason) {
                         if (!window) return;
                         // A temporary file goes with time: the one named is a lasting copy.
                         QString kept = path;
                         if (temporary) {
                             try {
                                 const QString named =
                                     output::NamedExport(documents, window->services_.today());
                                 if (QFile::copy(path, named)) kept = named;
                             } catch (const core::CommandFailure&) {
                             }
                         }
                         window->calc_.dialogs().notify(
                             core::Notice{kSpreadsheetCannotShow.arg(kept, reason),
                                          core::kApplicationTitle, core::DialogIcon::Error});
                     });
        if (!temporary) {
            calc_.dialogs().notify(core::Notice{kSavedAs.arg(path), core::kApplicationTitle,
                                                core::DialogIcon::Information});
        }
    });
    showCalculation();
}

void MainWindow::mailWorkbook() {
    core::RunReportingFailure(calc_.dialogs(), [&] {
        // Relative names of the program's files are looked up in its folder from now on.
        QDir::setCurrent(services_.programFolder);
        if (!HasMailProgram(*desktop_)) {
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
            throw core::CommandFailure(kMailCannotStart.arg(*reason));
        }
    });
    showCalculation();
}

void MainWindow::prepareExportSoon(std::chrono::milliseconds delay) {
    if (!exportPreparationTimer_) {
        exportPreparationTimer_ = new QTimer(this);
        exportPreparationTimer_->setSingleShot(true);
        connect(exportPreparationTimer_, &QTimer::timeout, this, &MainWindow::prepareExport);
    }
    exportPreparationTimer_->start(delay);
}

// The sheet is made as the export makes it, on a copy of the calculation, since making it
// moves to row 1; the export checks that its own sheet is still this one before it takes the
// workbook.
void MainWindow::prepareExport() {
    // Not in the middle of a command that waits for an answer, nor beside the last one.
    if (calc_.table().rowCount() > kLongestTableMadeAhead) return;
    if (QApplication::activeModalWidget() || preparedExport_->busy()) {
        exportPreparationTimer_->start(services_.exportPreparationDelay);
        return;
    }
    core::RecordingDialogs unseen;
    core::Calculation copy(calc_, unseen);
    try {
        // A click on the export's button takes the focus from the grid, which recalculates
        // its current row before the export runs.
        const QWidget* focus = QApplication::focusWidget();
        if (focus && (focus == grid_ || grid_->isAncestorOf(focus))) copy.recalculateCurrentRow();
        output::Worksheet sheet = output::ExportedSheet(copy);
        // A message on the way is the export's own to show, and its sheet may then differ.
        if (unseen.notices().empty() && unseen.questions().empty()) {
            preparedExport_->prepare(std::move(sheet));
        }
    } catch (const core::SilentStop&) {
    } catch (const std::exception&) {
        // The export meets it too, and reports it.
    }
}

void MainWindow::askDesktopInBackground() { AskForHandOffsInBackground(*desktop_); }

}  // namespace ui
