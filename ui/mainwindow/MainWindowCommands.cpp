// The commands of the main window's buttons and popup menu.
#include <QDesktopServices>
#include <QFileInfo>
#include <QPointer>

#include "commands/CalculationFileCommands.h"
#include "core/CommandEnding.h"
#include "core/Rates.h"
#include "core/TableCommands.h"
#include "files/FileMessages.h"
#include "storage/CalculationFile.h"
#include "storage/Settings.h"
#include "ui/common/AppInfo.h"
#include "ui/help/HelpFiles.h"
#include "ui/help/HelpWindow.h"
#include "ui/mainwindow/MainWindow.h"
#include "ui/mainwindow/TransactionGrid.h"
#include "ui/update/ProgramUpdate.h"

namespace ui {

template <typename Work>
void MainWindow::runCommand(Work&& work) {
    core::RunReportingFailure(calc_.dialogs(), std::forward<Work>(work));
    // What a command wrote before it stopped stays, and shows.
    showCalculation();
}

void MainWindow::saveCalculation() {
    core::RunReportingFailure(calc_.dialogs(), [&] {
        const auto name = services_.files->chooseSavePath(calc_.inputs().creditLineName);
        commands::SaveCommand(calc_, name);
    });
}

void MainWindow::openCalculation() {
    runCommand([&] { commands::OpenCommand(calc_, services_.files->chooseOpenPath()); });
}

void MainWindow::openCalculationFile(const QString& path) {
    const QString fullPath = QFileInfo(path).absoluteFilePath();
    runCommand([&] {
        if (commands::OpenCommand(calc_, fullPath) == commands::OpenOutcome::NotFound) {
            calc_.dialogs().notify(core::Notice{files::CannotReadMessage(fullPath),
                                                commands::kErrorCaption, core::DialogIcon::Error});
        }
    });
}

void MainWindow::saveRates() {
    core::RunReportingFailure(calc_.dialogs(), [&] {
        storage::WriteMainSettings(calc_.inputs(), settingsPath(), calc_.holidays().kind());
    });
}

void MainWindow::recalculateAll() {
    runCommand([&] { core::RecalculateAll(calc_); });
}

void MainWindow::resetTable() {
    runCommand([&] { core::ResetTable(calc_); });
}

void MainWindow::sortRows() {
    runCommand([&] { core::SortByValueDate(calc_); });
}

void MainWindow::changeRates() {
    runCommand([&] { core::ChangeRates(calc_); });
}

void MainWindow::findRate() {
    runCommand([&] { core::FindRate(calc_); });
}

void MainWindow::insertRow() {
    runCommand([&] { core::InsertRow(calc_); });
}

void MainWindow::deleteRow() {
    runCommand([&] { core::DeleteCurrentRow(calc_); });
}

// Nothing is reported when no browser starts.
void MainWindow::openMakerHomePage() {
    if (services_.openUrl) services_.openUrl(QUrl(kMakerHomePage));
}

void MainWindow::updateProgram() {
    if (!programUpdate_) {
        programUpdate_ = new ProgramUpdate(
            *this, calc_.dialogs(), services_.update ? *services_.update : ProgramUpdateSettings{});
    }
    programUpdate_->start();
}

void MainWindow::showHelp() { ShowHelp(this, HelpTopic::Calculation); }

// A guide that is missing or that no application opens is reported by its path.
void MainWindow::openUserGuide() {
    const QString path = HelpFilePath(services_.programFolder, kUserGuideFile);
    if (!QFileInfo::exists(path)) {
        calc_.dialogs().message(QStringLiteral("Kullanım kılavuzu bulunamadı:\n") + path);
        return;
    }
    if (!services_.openDocument) return;
    services_.openDocument(path, [window = QPointer<MainWindow>(this), path] {
        if (!window) return;
        window->calc_.dialogs().message(
            QStringLiteral("Kullanım kılavuzu açılamadı:\n%1\n"
                           "PDF dosyalarını açan bir program kurulu olmalıdır.")
                .arg(path));
    });
}

}  // namespace ui
