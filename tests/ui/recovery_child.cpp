// The main window with unsaved work and its recovery copy written, waiting to be killed: prints
// its folder (the recovery copies are in "kurtarma" below it) once the copy is on disk.
#include <QApplication>
#include <chrono>
#include <cstdio>

#include "tests/ui/MainWindowFixture.h"
#include "ui/mainwindow/RecoveryKeeper.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    testing_ui::MainWindowFixture f;
    // Only the copy written below, so the one on disk is the finished work.
    f.window().recovery().setInterval(std::chrono::hours(1));
    f.typeWorkedExample();
    f.window().recovery().writeNow();
    f.window().recovery().finishWriting();
    std::printf("%s\n", f.folder().toLocal8Bit().constData());
    std::fflush(stdout);
    return QApplication::exec();
}
