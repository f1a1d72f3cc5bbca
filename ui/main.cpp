#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QPrinterInfo>

#include "core/UserDialogs.h"
#include "ui/HelpWindow.h"
#include "ui/ImportWindow.h"
#include "ui/MainWindow.h"
#include "ui/MessageBoxDialogs.h"
#include "ui/QtFileChooser.h"
#include "ui/ReportTextWindow.h"
#include "ui/UpdateWaitWindow.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(core::kApplicationTitle);

    const QString programFolder =
        QDir::toNativeSeparators(QApplication::applicationDirPath()) + QDir::separator();
    ui::MessageBoxDialogs dialogs;
    ui::QtFileChooser files(programFolder + QStringLiteral("Dosya"));
    ui::MainWindowServices services;
    services.dialogs = &dialogs;
    services.files = &files;
    services.defaultPrinterName = [] { return QPrinterInfo::defaultPrinterName(); };
    services.openUrl = [](const QUrl& url) { QDesktopServices::openUrl(url); };
    services.programFolder = programFolder;

    // The main window first; the others are created hidden and go with it.
    ui::MainWindow mainWindow(services);
    dialogs.setParentWidget(&mainWindow);
    files.setParentWidget(&mainWindow);
    new ui::ImportWindow(&mainWindow);
    new ui::HelpWindow(&mainWindow);
    new ui::ReportTextWindow(&mainWindow);
    new ui::UpdateWaitWindow(&mainWindow);

    mainWindow.showMaximized();
    return app.exec();
}
