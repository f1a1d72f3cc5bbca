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

const QString kOpenStep = QStringLiteral("Kayıttan Aç");

template <typename Work>
void MainWindow::runCommand(Work&& work) {
    core::RunReportingFailure(calc_.dialogs(), std::forward<Work>(work));
    // What a command wrote before it stopped stays, and shows.
    showCalculation();
}

void MainWindow::saveCalculation() {
    recordTyping();
    saveTo(services_.files->chooseSavePath(calc_.inputs().creditLineName));
}

bool MainWindow::saveTo(const std::optional<QString>& name) {
    bool saved = false;
    core::RunReportingFailure(calc_.dialogs(), [&] {
        saved = commands::SaveCommand(calc_, name) == commands::SaveOutcome::Saved;
    });
    if (saved) takeAsSaved(commands::SaveTarget(*name));
    return saved;
}

// Typing since the last step becomes a step of its own as the open's step starts.
void MainWindow::openCalculation() {
    if (!mayDiscardChanges()) return;
    const std::optional<QString> path = services_.files->chooseOpenPath();
    commands::OpenOutcome outcome = commands::OpenOutcome::Cancelled;
    runRecordedCommandUntitled(kOpenStep, [&] { outcome = commands::OpenCommand(calc_, path); });
    // An opened file is the saved state: comparing with the one before would be wasted.
    if (outcome == commands::OpenOutcome::Opened) {
        takeAsSaved(*path);
    } else {
        showTitle();
    }
}

void MainWindow::openCalculationFile(const QString& path) {
    if (!mayDiscardChanges()) return;
    openFile(QFileInfo(path).absoluteFilePath());
}

void MainWindow::openFile(const QString& fullPath) {
    commands::OpenOutcome outcome = commands::OpenOutcome::Cancelled;
    runRecordedCommandUntitled(kOpenStep, [&] {
        outcome = commands::OpenCommand(calc_, fullPath);
        if (outcome == commands::OpenOutcome::NotFound) {
            calc_.dialogs().notify(core::Notice{files::CannotReadMessage(fullPath),
                                                commands::kErrorCaption, core::DialogIcon::Error});
        }
    });
    if (outcome == commands::OpenOutcome::Opened) {
        takeAsSaved(fullPath);
    } else {
        showTitle();
    }
}

void MainWindow::saveRates() {
    core::RunReportingFailure(calc_.dialogs(), [&] {
        storage::WriteMainSettings(calc_.inputs(), settingsPath(), calc_.holidays().kind());
    });
}

void MainWindow::recalculateAll() {
    runRecordedCommand(QStringLiteral("Yeniden Hesapla"), [&] { core::RecalculateAll(calc_); });
}

void MainWindow::resetTable() {
    // The program's own question first, as always; the save question only once the user
    // has said the table is to go.
    runRecordedCommand(QStringLiteral("Sıfırla"), [&] {
        if (core::ConfirmReset(calc_) && mayDiscardChanges()) core::EmptyTable(calc_);
    });
}

void MainWindow::sortRows() {
    runRecordedCommand(QStringLiteral("Kayıtları Sırala"), [&] { core::SortByValueDate(calc_); });
}

void MainWindow::changeRates() {
    runRecordedCommand(QStringLiteral("Faizleri Değiştir"), [&] { core::ChangeRates(calc_); });
}

void MainWindow::findRate() {
    runRecordedCommand(QStringLiteral("Faiz Oranını Bul"), [&] { core::FindRate(calc_); });
}

void MainWindow::insertRow() {
    runRecordedCommand(QStringLiteral("Satır Ekle"), [&] { core::InsertRow(calc_); });
}

void MainWindow::deleteRow() {
    runRecordedCommand(QStringLiteral("Satır Sil"), [&] { core::DeleteCurrentRow(calc_); });
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
