#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QPrinterInfo>

#include "core/UserDialogs.h"
#include "ui/MessageBoxDialogs.h"
#include "ui/QtFileChooser.h"
#include "ui/TrotatifF.h"
#include "ui/Windows.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(core::kApplicationTitle);

    const QString programFolder =
        QDir::toNativeSeparators(QApplication::applicationDirPath()) + QDir::separator();
    ui::MessageBoxDialogs dialogs;
    ui::QtFileChooser files(programFolder + QStringLiteral("Dosya"));
    ui::TrotatifFServices services;
    services.dialogs = &dialogs;
    services.files = &files;
    services.defaultPrinterName = [] { return QPrinterInfo::defaultPrinterName(); };
    services.openUrl = [](const QUrl& url) { QDesktopServices::openUrl(url); };
    services.programFolder = programFolder;

    // The main window first; the others are created hidden and go with it.
    ui::TrotatifF rotatifF(services);
    dialogs.setParentWidget(&rotatifF);
    files.setParentWidget(&rotatifF);
    new ui::TaktarexcelRF(&rotatifF);
    new ui::TyardimF(&rotatifF);
    new ui::TraporF(&rotatifF);
    new ui::TForm2(&rotatifF);

    rotatifF.showMaximized();
    return app.exec();
}
