#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QIcon>
#include <QMessageBox>
#include <QPrinterInfo>
#include <QTimer>

#include "core/UserDialogs.h"
#include "sheets/XlsContainment.h"
#include "storage/ProgramLocations.h"
#include "ui/common/MessageBoxDialogs.h"
#include "ui/common/QtFileChooser.h"
#include "ui/common/QtTranslations.h"
#include "ui/desktop/DesktopOpen.h"
#include "ui/help/HelpWindow.h"
#include "ui/import/ImportWindow.h"
#include "ui/mainwindow/MainWindow.h"
#include "ui/mainwindow/TransactionGrid.h"
#include "ui/report/ReportTextWindow.h"
#include "ui/update/UpdateWaitWindow.h"

namespace {

// The desktop is asked which programs show a workbook and a mail this long after the start,
// so that its queries take nothing from the start and the first file opened.
constexpr int kDesktopQueryDelayMs = 2000;

// The name of the installed desktop entry and icon; the desktop finds the program's entry
// and icon by it.
const QString kDesktopName = QStringLiteral("tr.com.durvex.dedadederaro");

// The installed icon when the desktop's theme has it, else the copy built into the program.
QIcon programIcon() {
    QIcon builtIn;
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        builtIn.addFile(QStringLiteral(":/icons/%1x%1/apps/%2.png").arg(size).arg(kDesktopName));
    }
    return QIcon::fromTheme(kDesktopName, builtIn);
}

}  // namespace

int main(int argc, char* argv[]) {
    ui::TurkishSystemLocale turkish;
    QApplication app(argc, argv);
    turkish.settle();
    QApplication::setApplicationName(core::kApplicationTitle);
    QApplication::setDesktopFileName(kDesktopName);
    QApplication::setWindowIcon(programIcon());
    ui::InstallQtTurkishTranslations();

    const std::optional<QString> runningFolder = storage::RunningProgramFolder();
    if (!runningFolder) {
        // Without its folder the program would take "/" for it: settings, files and updates
        // would all go to the wrong place.
        QMessageBox::critical(nullptr, core::kApplicationTitle,
                              QStringLiteral("Programın bulunduğu klasör belirlenemedi; program "
                                             "açılamıyor."));
        return 1;
    }
    const QString programFolder = *runningFolder;
    const auto where = storage::ProgramLocations::of(programFolder);
    ui::MessageBoxDialogs dialogs;
    ui::QtFileChooser files(storage::CalculationFolder(where));
    ui::MainWindowServices services;
    services.dialogs = &dialogs;
    services.files = &files;
    services.defaultPrinterName = [] { return QPrinterInfo::defaultPrinterName(); };
    services.openUrl = [](const QUrl& url) { QDesktopServices::openUrl(url); };
    services.openDocument = ui::OpenWithDesktop;
    services.programFolder = programFolder;
    services.recentFilesList = storage::RecentFilesList(where.user);
    services.recoveryFolder = storage::RecoveryFolder(where.user);

    // The main window first; the others are created hidden and go with it.
    ui::MainWindow mainWindow(services);
    dialogs.setParentWidget(&mainWindow);
    files.setParentWidget(&mainWindow);
    auto* importWindow = new ui::ImportWindow(
        &mainWindow, {&mainWindow.calculation(),
                      [&mainWindow] {
                          mainWindow.grid().showTable();
                          mainWindow.showInputsAndTotals();
                      },
                      ui::ChooseWorkbookWithDialog, storage::SettingsFile(where),
                      sheets::XlsContainment{programFolder + QStringLiteral("vovirer")},
                      [&mainWindow] { return mainWindow.mayDiscardChanges(); },
                      [&mainWindow](const std::function<void()>& transfer) {
                          mainWindow.recordChange(ui::MainWindow::kImportStep, transfer);
                      }});
    QObject::connect(&mainWindow, &ui::MainWindow::importRequested, importWindow,
                     &ui::ImportWindow::open);
    QObject::connect(importWindow, &ui::ImportWindow::helpRequested, &mainWindow,
                     [&mainWindow] { ui::ShowHelp(&mainWindow, ui::HelpTopic::Import); });
    new ui::HelpWindow(&mainWindow, programFolder, dialogs);
    new ui::ReportTextWindow(&mainWindow);
    new ui::UpdateWaitWindow(&mainWindow);

    mainWindow.showMaximized();
    // Work a killed program left behind is offered first, over the window.
    QTimer::singleShot(0, &mainWindow, [&mainWindow] { mainWindow.offerRecovery(); });
    // A calculation file given on the command line, as a file manager passes the one
    // double-clicked: opened once the window shows, so its messages stand over it.
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1) {
        QTimer::singleShot(0, &mainWindow, [&mainWindow, path = arguments.at(1)] {
            mainWindow.openCalculationFile(path);
        });
    }
    QTimer::singleShot(kDesktopQueryDelayMs, &mainWindow,
                       [&mainWindow] { mainWindow.askDesktopInBackground(); });
    return app.exec();
}
