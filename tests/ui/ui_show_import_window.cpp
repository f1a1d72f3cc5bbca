// Opens the import window maximised with the LibreOffice fixture read in and, given a file
// name, saves a picture of it there and ends. Not a test.
#include <QScreen>
#include <QTimer>

#include "MainWindowFixture.h"
#include "ui/import/ImportWindow.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QString picture = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    testing_ui::MainWindowFixture f(
        QStringLiteral("PDF"),
        "[ExcelAyarR]\r\nRvade=1\r\nRislem=2\r\nRaciklama=3\r\nRborc=4\r\n"
        "Ralacak=5\r\nRbasla=2\r\nRbitir=9\r\nRvadeCheck=2\r\n");
    f.window().showMaximized();
    auto* window = new ui::ImportWindow(
        &f.window(),
        {&f.calc(), [] {}, [](QWidget*) { return QStringLiteral(SHEETS_FIXTURES "/hareket.ods"); },
         f.folder() + QStringLiteral("Ayarlar.ini")});
    window->open();
    window->readWorkbook();
    window->resize(1280, 760);  // no window manager maximises it under Xvfb
    QTimer::singleShot(picture.isEmpty() ? 30000 : 1500, &app, [&] {
        if (!picture.isEmpty()) window->grab().save(picture);
        app.quit();
    });
    return app.exec();
}
