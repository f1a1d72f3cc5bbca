// Opens the main window maximised with the worked example typed in and keeps it open for a
// while, to look at it (or to take a screenshot of it). Not a test.
#include <QTimer>

#include "MainWindowFixture.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const int seconds = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 30;
    testing_ui::MainWindowFixture f;
    f.window().showMaximized();
    f.typeWorkedExample();
    f.focusOn(f.field("rotatifadiEdit"));
    f.type(QStringLiteral("Ornek Vovirer"));
    f.focusOn(f.field("firmaadiEdit"));
    f.type(QStringLiteral("Acme"));
    f.focusOn(f.field("yildakigunEdit"));
    QTimer::singleShot(seconds * 1000, &app, &QApplication::quit);
    return app.exec();
}
